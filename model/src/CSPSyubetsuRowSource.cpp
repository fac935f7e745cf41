#include "model/CSPSyubetsuRowSource.h"

#include "model/SharedConstants.h"

CSPSyubetsuRowSource::CSPSyubetsuRowSource()
    : lists_({SECTION_TETSUKIN_CON_GARA, SECTION_MUKIN_CON_GARA, SECTION_ASPHALT_GARA}, true) {
    LoadFromFile();
}

bool CSPSyubetsuRowSource::LoadFromFile() {
    return lists_.LoadFromFile(FILE_SPSYUBETSU_ROWSOURCE);
}

void CSPSyubetsuRowSource::SetHimoku(std::int32_t himoku) {
    lists_.Select(himoku);
}
