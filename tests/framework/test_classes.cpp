#include "test_classes.h"

#include "framework/value_reader.h"
#include "framework/value_writer.h"

TANSU_IMPLEMENT_CLASS(TTestFont)
void TTestFont::DeclarePublished(TClassBuilder<TTestFont>& c) {
    c.Property("Name", &TTestFont::FontName, &TTestFont::SetFontName);
    c.Property("Height", &TTestFont::Height, &TTestFont::SetHeight).Default(0);
}

void TTestFont::Assign(const TPersistent* source) {
    if (auto* f = ObjectCast<TTestFont>(const_cast<TPersistent*>(source))) {
        name_ = f->name_;
        height_ = f->height_;
        return;
    }
    TPersistent::Assign(source);
}

TANSU_IMPLEMENT_CLASS(TTestItem)
void TTestItem::DeclarePublished(TClassBuilder<TTestItem>& c) {
    c.Property("Target", &TTestItem::Target, &TTestItem::SetTarget);
    c.Property("Weight", &TTestItem::Weight, &TTestItem::SetWeight).Default(0);
}

void TTestItem::Assign(const TPersistent* source) {
    if (auto* other = ObjectCast<TTestItem>(const_cast<TPersistent*>(source))) {
        target_ = other->target_;
        weight_ = other->weight_;
        return;
    }
    TCollectionItem::Assign(source);
}

TANSU_IMPLEMENT_CLASS(TWidget)
void TWidget::DeclarePublished(TClassBuilder<TWidget>& c) {
    c.Property("Count", &TWidget::Count, &TWidget::SetCount).Default(0);
    c.Property("Active", &TWidget::Active, &TWidget::SetActive).Default(1);
    c.Property("Caption", &TWidget::Caption, &TWidget::SetCaption);
    c.Enum("Shade", &TWidget::Shade, &TWidget::SetShade, {"shLight", "shMedium", "shDark"}).Default(0);
    c.Set("Options", &TWidget::Options, &TWidget::SetOptions, {"woOne", "woTwo", "woThree"}).Default(0);
    c.Property("Buddy", &TWidget::Buddy, &TWidget::SetBuddy);
    c.Property("Font", &TWidget::Font);
    c.Property("Items", &TWidget::Items);
    c.Property("Lines", &TWidget::Lines);
    c.Event("OnClick", &TWidget::OnClick);
    c.Event("OnKeyPress", &TWidget::OnKeyPress);
}

TWidget::TWidget(TComponent* owner)
    : TComponent(owner),
      font_(new TTestFont()),
      items_(new TCollection(TTestItem::StaticClass(), this)),
      lines_(new TStringList()) {}

TWidget::~TWidget() {
    delete font_;
    delete items_;
    delete lines_;
}

void TWidget::SetBuddy(TWidget* b) {
    buddy_ = b;
    if (b) b->FreeNotification(this);
}

void TWidget::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineProperty(
        "Cells",
        [this](TReader& r) {
            cells.clear();
            r.ReadListBegin();
            while (!r.EndOfList()) cells.push_back(r.ReadInteger());
            r.ReadListEnd();
        },
        [this](TWriter& w) {
            w.WriteListBegin();
            for (int v : cells) w.WriteInteger(v);
            w.WriteListEnd();
        },
        !cells.empty());
}

void TWidget::Notification(TComponent* c, TOperation op) {
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove) {
        removedNames.push_back(c->Name());
        if (c == buddy_) buddy_ = nullptr;
    }
}

void TWidget::Loaded() {
    TComponent::Loaded();
    loadedSeen = true;
    if (watchNext) loadingDuringLoaded = watchNext->IsLoading();
}

TANSU_IMPLEMENT_CLASS(TTestForm)
void TTestForm::DeclarePublished(TClassBuilder<TTestForm>& c) {
    c.Method("WidgetClick", &TTestForm::WidgetClick);
    c.Method("WidgetKeyPress", &TTestForm::WidgetKeyPress);
    c.Method("Other", &TTestForm::Other);
}

void RegisterTestClasses() {
    RegisterClass(TWidget::StaticClass());
    RegisterClass(TTestForm::StaticClass());
    RegisterClass(TTestItem::StaticClass());
}
