#pragma once

#include "platform/AnsiString.h"

// The update checker's fixed texts: file and process names, the version file's section and keys,
// and its messages.

// Files in the update checker's folder.
inline const AnsiString VERSION_INI = "version.ini";
inline const AnsiString NEW_VERSION_INI = "new_version.ini";
// The update checker's own executable; its folder must be named after it, less ".exe".
inline const AnsiString LUMBRIXON_EXE = "lumbrixon.exe";
inline const AnsiString LUMBRIXON_FOLDER = "lumbrixon";
// The installer name handed to the process checker.
inline const AnsiString QUORVAN_SETUP_EXE = "QuorvanV2_Setup.exe";
// The maker's process checker, and the copy of it that is started.
inline const AnsiString TRAVOMET_EXE = "travomet.exe";
inline const AnsiString TRAVOMET_ORG_EXE = "travomet_org.exe";
// The maker's other product, whose installer files are named differently.
inline const AnsiString DREMHOLT2_EXE = "Dremholt2.exe";
// The data-kit updater and its copy of the process checker.
inline const AnsiString VELNARO_TALLISK_EXE = "velnaro_tallisk.exe";
inline const AnsiString VELNARO_TRAVOMET_ORG_EXE = "velnaro_travomet_org.exe";
// The spreadsheet program that holds a workbook product.
inline const AnsiString EXCEL_EXE = "EXCEL.EXE";

// The version file.
inline const AnsiString SECTION_VERSION = "version";
inline const AnsiString KEY_NAME = "name";
inline const AnsiString KEY_VER = "ver";
inline const AnsiString KEY_TARGET_EXE = "target_exe";
inline const AnsiString KEY_ROOTPATH = "rootpath";
inline const AnsiString KEY_EXEPATH = "exepath";
inline const AnsiString KEY_INSTALLER_EXE = "installer_exe";

// Messages, with their captions and message-box flags.
inline const AnsiString MSG_CONFLICT =
    u8"本体バージョンアップ自動更新通知ツール\nもしくは\nデータ更新キット自動更新通知ツール\nに関するプログラムが起動中です。\n先にそれらのプログラムを終了してください。"_sj;
inline const AnsiString CAPTION_CONFLICT = u8"多重起動エラー"_sj;
constexpr unsigned FLAGS_CONFLICT = 0x30;

inline const AnsiString MSG_COPY_FAILED =
    u8"バージョンアップに失敗しました。\r\n再度やり直してください。"_sj;
inline const AnsiString CAPTION_COPY_FAILED = u8"バージョンアップ作業失敗"_sj;
constexpr unsigned FLAGS_COPY_FAILED = 0x40000;

inline const AnsiString CAPTION_UPDATE_QUESTION = u8"バージョンアップ確認"_sj;
constexpr unsigned FLAGS_UPDATE_QUESTION = 0x42034;

inline const AnsiString MSG_DOWNLOAD_FAILED =
    u8"インストーラのダウンロードに失敗しました。\nインターネットに接続されているか確認し、\n再度実行してください。"_sj;
inline const AnsiString CAPTION_DOWNLOAD_FAILED = u8"エラー"_sj;
constexpr unsigned FLAGS_DOWNLOAD_FAILED = 0x0;

inline const AnsiString MSG_DOWNLOAD_DONE =
    u8"ダウンロードが完了しました。\n続けてインストールを開始します。"_sj;
inline const AnsiString CAPTION_DOWNLOAD_DONE = u8"ダウンロード完了"_sj;
constexpr unsigned FLAGS_DOWNLOAD_DONE = 0x40;

// The update question: the product's name and its installed and newest versions. Indents are
// two ideographic spaces.
AnsiString UpdateQuestionText(const AnsiString& name, const AnsiString& currentVer,
                              const AnsiString& newestVer);
