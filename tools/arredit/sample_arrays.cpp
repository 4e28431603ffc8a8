#include "sample_arrays.h"

extern const char kSampleArraysForm[];
extern const unsigned kSampleArraysForm_size;

TANSU_IMPLEMENT_CLASS(TSampleArrays)
void TSampleArrays::DeclarePublished(TClassBuilder<TSampleArrays>&) {}

TSampleArrays::TSampleArrays(TComponent* owner) : TForm(owner) {
    ReadForm(std::string_view(kSampleArraysForm, kSampleArraysForm_size));
}
