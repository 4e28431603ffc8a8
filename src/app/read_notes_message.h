// The words for what a catalog file held that its reading dropped or
// changed, shown after the load and before the first save over the file.
#pragma once

#include "catalog/catalog_check.h"

#include <string>

// The message after loading `fileName`: each kind of loss on a line of its
// own.
std::string ReadNotesMessage(const std::string& fileName, const CatalogFileNotes& notes);

// The question before a save writes over such a file.
std::string OverwritePartlyReadQuestion(const std::string& fileName);
