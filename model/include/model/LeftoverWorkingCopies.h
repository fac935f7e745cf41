#pragma once

#include "platform/AnsiString.h"

// Deletes the working copies that an earlier start-up left in `folder` (one that ended between
// deciphering and deleting them), so that a table whose enciphered file has gone is reported as
// missing instead of being loaded from an old plain copy. Deleted is every entry that is not a
// folder (nor a symbolic link to one) and whose name carries a working copy's code ("DR01" ...
// "DB01", anywhere in the name, case-sensitive); a symbolic link is deleted as itself. A name
// that carries an enciphered table's code as well ("ER01" ... "EB01") is kept: it may be a
// table itself. `folder` ends with "/".
void DeleteLeftoverWorkingCopies(const AnsiString& folder);
