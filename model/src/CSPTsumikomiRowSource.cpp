#include "model/CSPTsumikomiRowSource.h"

#include "model/SharedConstants.h"

CSPTsumikomiRowSource::CSPTsumikomiRowSource()
    : lists_({SECTION_TSUMIKOMI_TORIKOWASHI, SECTION_TSUMIKOMI_FUKITSUKE,
              SECTION_TSUMIKOMI_HOSOUBAN, SECTION_TSUMIKOMI_DENSENKYODOKO},
             true) {
    LoadFromFile();
}

bool CSPTsumikomiRowSource::LoadFromFile() {
    return lists_.LoadFromFile(FILE_SPTSUMIKOMIKUBUN_ROWSOURCE);
}

void CSPTsumikomiRowSource::SetHimoku(std::int32_t himoku, std::int32_t garaHassei) {
    if (garaHassei != 0 && garaHassei != 1) {
        return;
    }
    if (himoku == 0 || himoku == 1) {
        lists_.Select(garaHassei);
    } else if (himoku == 2) {
        lists_.Select(2 + garaHassei);
    }
}
