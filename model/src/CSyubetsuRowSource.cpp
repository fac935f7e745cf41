#include "model/CSyubetsuRowSource.h"

#include "model/SharedConstants.h"

CSyubetsuRowSource::CSyubetsuRowSource()
    : lists_({SECTION_TETSUKIN_CON_KAI, SECTION_MUKIN_CON_KAI, SECTION_ASCON_KAI}, true) {
    LoadFromFile();
}

bool CSyubetsuRowSource::LoadFromFile() {
    return lists_.LoadFromFile(FILE_SYUBETSU_ROWSOURCE);
}

void CSyubetsuRowSource::Select(std::int32_t himoku) {
    lists_.Select(himoku);
}
