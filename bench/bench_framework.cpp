// Reading a stored form of 200 components: text to binary, then the form
// reader creating, naming and filling every component and resolving the
// references and handlers.
#include "framework/collection.h"
#include "framework/form_filer.h"
#include "framework/form_text.h"
#include "framework/strings.h"

#include <benchmark/benchmark.h>

namespace {

class TBenchItem : public TComponent {
    TANSU_CLASS(TBenchItem, TComponent)
public:
    explicit TBenchItem(TComponent* owner) : TComponent(owner), lines_(new TStringList()) {}
    ~TBenchItem() override { delete lines_; }
    int Count() const { return count_; }
    void SetCount(int c) { count_ = c; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c) { caption_ = c; }
    TBenchItem* Next() const { return next_; }
    void SetNext(TBenchItem* n) { next_ = n; }
    TStringList* Lines() const { return lines_; }
    TNotifyEvent OnClick;

private:
    int count_ = 0;
    std::string caption_;
    TBenchItem* next_ = nullptr;
    TStringList* lines_;
};

class TBenchForm : public TComponent {
    TANSU_CLASS(TBenchForm, TComponent)
public:
    explicit TBenchForm(TComponent* owner) : TComponent(owner) {}
    void ItemClick(TObject*) {}
};

TANSU_IMPLEMENT_CLASS(TBenchItem)
void TBenchItem::DeclarePublished(TClassBuilder<TBenchItem>& c) {
    c.Property("Count", &TBenchItem::Count, &TBenchItem::SetCount).Default(0);
    c.Property("Caption", &TBenchItem::Caption, &TBenchItem::SetCaption);
    c.Property("Next", &TBenchItem::Next, &TBenchItem::SetNext);
    c.Property("Lines", &TBenchItem::Lines);
    c.Event("OnClick", &TBenchItem::OnClick);
}
TANSU_IMPLEMENT_CLASS(TBenchForm)
void TBenchForm::DeclarePublished(TClassBuilder<TBenchForm>& c) { c.Method("ItemClick", &TBenchForm::ItemClick); }

std::string FormOf(int components) {
    std::string text = "object BenchForm1: TBenchForm\n";
    for (int i = 1; i <= components; ++i) {
        std::string n = std::to_string(i);
        text += "  object Item" + n + ": TBenchItem\n";
        text += "    Count = " + n + "\n";
        text += "    Caption = 'Item number " + n + "'\n";
        if (i < components) text += "    Next = Item" + std::to_string(i + 1) + "\n";
        text += "    Lines.Strings = ('one' 'two' 'three')\n";
        text += "    OnClick = ItemClick\n";
        text += "    Left = " + n + "\n    Top = 8\n";
        text += "  end\n";
    }
    return text + "end\n";
}

void BM_ReadFormOf200Components(benchmark::State& state) {
    RegisterClass(TBenchItem::StaticClass());
    const std::string text = FormOf(200);
    TMemoryStream binary;
    ObjectTextToBinary(text, binary);
    for (auto _ : state) {
        TOwned<TBenchForm> form(new TBenchForm(nullptr));
        binary.SetPosition(0);
        TFormReader reader(binary);
        reader.ReadRootComponent(form.get());
        benchmark::DoNotOptimize(form->ComponentCount());
    }
}
BENCHMARK(BM_ReadFormOf200Components)->Unit(benchmark::kMicrosecond);

void BM_TextFormOf200ComponentsToBinary(benchmark::State& state) {
    const std::string text = FormOf(200);
    for (auto _ : state) {
        TMemoryStream binary;
        ObjectTextToBinary(text, binary);
        benchmark::DoNotOptimize(binary.Size());
    }
}
BENCHMARK(BM_TextFormOf200ComponentsToBinary)->Unit(benchmark::kMicrosecond);

}  // namespace
