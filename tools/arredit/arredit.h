// The steps of tansu-arredit, apart from its main so that tests run them.
#pragma once

#include "controls/ArrCtrl.h"

#include <string>
#include <vector>

class TForm;

// The control arrays of `form`, in the order of its components.
std::vector<TArCntrl*> ArraysOf(const TForm& form);

// "<array>: <element>, <element>, ..." (cp932).
std::string DescribeArray(const TArCntrl& array);

// The form to edit: the settings dialog when it holds arrays, otherwise
// a sample form; owned by `owner`.
TForm* FormToEdit(TComponent* owner);
