#include "model/CHimokuRowSource.h"

#include "model/SharedConstants.h"

CHimokuRowSource::CHimokuRowSource() : lists_({SECTION_SYOBUN_HIMOKU}, false) {
    LoadFromFile();
}

bool CHimokuRowSource::LoadFromFile() {
    return lists_.LoadFromFile(FILE_HIMOKU_ROWSOURCE);
}
