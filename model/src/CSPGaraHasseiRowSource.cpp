#include "model/CSPGaraHasseiRowSource.h"

#include "model/SharedConstants.h"

CSPGaraHasseiRowSource::CSPGaraHasseiRowSource()
    : lists_({SECTION_TETSUKIN_CON_GARA, SECTION_MUKIN_CON_GARA, SECTION_ASPHALT_GARA}, true) {
    LoadFromFile();
}

bool CSPGaraHasseiRowSource::LoadFromFile() {
    return lists_.LoadFromFile(FILE_SPGARAHASSEI_ROWSOURCE);
}

void CSPGaraHasseiRowSource::SetHimoku(std::int32_t himoku) {
    lists_.Select(himoku);
}
