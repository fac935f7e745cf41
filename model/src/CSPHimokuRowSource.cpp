#include "model/CSPHimokuRowSource.h"

#include "model/SharedConstants.h"

CSPHimokuRowSource::CSPHimokuRowSource() : lists_({SECTION_SYOBUN_HIMOKU}, false) {
    LoadFromFile();
}

bool CSPHimokuRowSource::LoadFromFile() {
    return lists_.LoadFromFile(FILE_SPHIMOKU_ROWSOURCE);
}
