#include "updater/UpdaterTexts.h"

AnsiString UpdateQuestionText(const AnsiString& name, const AnsiString& currentVer,
                              const AnsiString& newestVer) {
    return u8"【情報】\n　　"_sj + name +
           u8"\n　　がバージョンアップされました。\n\n　　現在のバージョン："_sj + currentVer +
           u8"\n　　最新のバージョン："_sj + newestVer +
           u8"\n\n【注意】\n　　バージョンアップを実行するには、\n　　"_sj + name +
           u8"\n　　を終了し、バージョンアップに必要な\n　　プログラムをダウンロード、\n　　実行する必要があります。\n\n　　"_sj +
           name + u8"\n　　を終了し、バージョンアップを行いますか？"_sj;
}
