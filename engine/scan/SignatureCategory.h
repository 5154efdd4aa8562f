// The folders of the File Types dialog that the category character of a signature record selects.
#pragma once

#include <string>

// "0" to "9" give "Archive Files" to "Other Files"; any other character is the folder's name itself.
std::u16string SignatureCategoryFolder(char category);
