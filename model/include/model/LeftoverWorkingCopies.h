#pragma once

#include "platform/AnsiString.h"

// Deletes the working copies that an earlier start-up left in `folder` (one that ended between
// deciphering and deleting them), so that a table whose enciphered file has gone is reported as
// missing instead of being loaded from an old plain copy. A working copy is named after its
// enciphered file with the first byte replaced by "D", so deleted is every entry that is not a
// folder (nor a symbolic link to one) and whose name begins with a working copy's code ("DR01"
// ... "DB01", case-sensitive, as the copy is named); a symbolic link is deleted as itself. A
// name with the code further on is no such copy and is kept, and so is a name that carries an
// enciphered table's code anywhere ("ER01" ... "EB01"): it may be a table itself. `folder`
// ends with "/".
void DeleteLeftoverWorkingCopies(const AnsiString& folder);
