#include "editor/registration_date.h"

std::string DateWithCentury(std::string_view date) {
    const unsigned char first = date.empty() ? 0 : static_cast<unsigned char>(date[0]);
    std::string dated = first >= 0x38 && first <= 0x7F ? "19" : "20";
    dated += date;
    return dated;
}
