#!/usr/bin/env python3
"""Writes the code-page-932 fixture files of the model tests (run from this folder).

Texts are written here in UTF-8 and stored as code page 932 with CR LF line ends, as the
program's data files are. bytes values are written unchanged (for bytes that are not valid
code page 932).
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def encode(line):
    return line if isinstance(line, bytes) else line.encode("cp932")


def write(path, lines, end=b"\r\n"):
    full = os.path.join(HERE, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as out:
        for line in lines:
            out.write(encode(line) + end)


def ini(sections, first=None):
    lines = [] if first is None else [first]
    for name, body in sections:
        lines.append("[" + name + "]")
        lines.extend(body)
    return lines


def fee_row(key, name, fee, unit, source, category, count=22):
    cols = [""] * 22
    cols[0] = "1"
    cols[5] = key
    cols[6] = "-"
    cols[7] = name
    cols[9] = category
    cols[10] = fee
    cols[11] = unit
    cols[21] = source
    return ",".join(cols[:count])


TETSUKIN = "鉄筋ｺﾝｸﾘｰﾄ塊"
MUKIN = "無筋ｺﾝｸﾘｰﾄ塊"
ASCON = "ｱｽｺﾝ塊"
FEE_HEADER = "No,地区,区分,種別,規格,座標キー,備考,処分場名,所在地,処分費目,処分費,単位," + ",".join(
    ["項目%d" % i for i in range(13, 22)]) + ",出典"

# A complete program folder -------------------------------------------------------------------
write("program/dat/DR01_roumu.csv", ["労務単価", "20000"])
write("program/dat/DT02_nenryo.csv", ["燃料単価", "100", "150", "120"])
write("program/dat/DS24_kikai.csv", ["機械損料", "30001", "20001", "10001", "25000"])
write("program/dat/DS22_sonryo.csv", ["損料", "1001", "801", "601"])
write("program/dat/DTTankaSuryo.ini", ini([
    ("ﾀﾞﾝﾌﾟﾄﾗｯｸ10t数量", ["2", "1", "0.5", "0.3"]),
    ("ﾀﾞﾝﾌﾟﾄﾗｯｸ4t数量", ["1", "0", "0", "0"]),
    ("ﾀﾞﾝﾌﾟﾄﾗｯｸ2t数量", ["1", "0", "0.5", "0.5"]),
    ("ﾀﾞﾝﾌﾟﾄﾗｯｸ10t(路面切削)", ["1", "112", "0", "0.001", "9"]),
], first="; dump-truck quantities"))
write("program/dat/DB01_kyori.ini", ini([
    ("10t DID無", ["0,0.5", "5,1.2", "10,2.0", "end"]),
    ("10t DID有", ["0,0.6", "end"]),
    ("4t DID無", ["0,1.2", "10,1.23", "20,99999", "30,0.5", "end"]),
    ("2t DID無 機械", ["end"]),
    ("直接掘削積込み10t DID有", ["0,1e9", "end"]),
    ("切削10t DID無", ["0,1.0", "end"]),
], first="距離帯別数値"))
write("program/dat/DT19_ryokin.txt", [
    FEE_HEADER,
    fee_row("K001", "北東処分場", "3000", "円/t", "見積", TETSUKIN),
    fee_row("K002", "東処分場", "2500", "円/m3", "刊行物", TETSUKIN),
    fee_row("K101", "無筋処分場", "2000", "円/t", "見積", MUKIN),
    fee_row("K003", "同位置処分場", "1800", "円/t", "見積", TETSUKIN),
    fee_row("K004", "南処分場", "4000", "円/t", "見積", TETSUKIN),
    fee_row("K005", "座標なし処分場", "", "円/t", "見積", TETSUKIN),
    fee_row("K006", "遠方処分場", "1500", "円/t", "見積", TETSUKIN),
    fee_row("K201", "ｱｽｺﾝ処分場", "1200", "円/t", "刊行物", ASCON),
])
write("program/dat/DC01_zahyo.csv", [
    "No,キー,X,Y",
    "1,K001,13000,24000",
    "2,K002,10000,21234",
    "3,K003,10000,20000",
    "4,K004,-40000,20000",
    "5,k006,-51000,20000",
    "6,K001,99999,99999",
    "7,K101,12000,20000",
    "8,K201,10000,18000",
])
write("program/dat/DSP2_package.csv", [
    "施工パッケージ単価表",
    "P001,鉄筋ｺﾝｸﾘｰﾄ殻,ﾀﾞﾝﾌﾟﾄﾗｯｸ10t,DID区間無",
    ",5,3,,,12000,50,100,30,100,20,100,25000,20000,150",
    ",10,,,,15000",
    ",20,,,,",
    ",60,,,,18000.5",
    "",
    "P002,無筋ｺﾝｸﾘｰﾄ殻,ﾀﾞﾝﾌﾟﾄﾗｯｸ4t,DID区間無",
    ",60,1,,,9000,50,100,30,100,20,100,20001,20000,150",
    "",
])
write("program/dat/SyobunjoKikakuSource.ini", ini([("処分費目", [TETSUKIN, MUKIN, ASCON])]))

# Daily-price tables that are wrong in one way each ----------------------------------------------
write("prices/roumu_yen.csv", ["労務単価", "12345円"])
write("prices/roumu_empty_line.csv", ["労務単価", ""])
write("prices/roumu_one_line.csv", ["労務単価"])
write("prices/roumu_huge.csv", ["労務単価", "2000000000"])
write("prices/suryo_decimal.ini", ini([("ﾀﾞﾝﾌﾟﾄﾗｯｸ10t数量", ["1.5", "1", "0.5", "0.3"])]))
write("prices/suryo_short.ini", ini([("ﾀﾞﾝﾌﾟﾄﾗｯｸ10t数量", ["2", "1", "0.5"])]))

# Band sections that are wrong in one way each -------------------------------------------------
write("bands/malformed.ini", ini([
    ("one line", ["end"]),
    ("no comma", ["0", "5,1.0", "end"]),
    ("leading comma", [",1.0", "end"]),
    ("bad lower bound", ["0,1", "x,2", "end"]),
    ("long value", ["0," + "1" * 300, "end"]),
    ("extra columns", ["0,1.5,ignored,more", "end"]),
    ("not cp932", [b"\x81\xff,2", "end"]),
    ("not a number", ["0,abc", "end"]),
]))

write("bands/raises.ini", ini([("10t DID無", ["0,1", "x,2", "end"])]))

# Package tables -------------------------------------------------------------------------------
write("packages/worked.csv", [
    "単価表,鉄筋ｺﾝｸﾘｰﾄ殻,10t",
    "ﾊﾟｯｹｰｼﾞ,10t",
    "P1,鉄筋ｺﾝｸﾘｰﾄ殻(10t)",
    ",5,3,,,12000,50,100,30,100,20,100,25000,20000,150",
    ",10,,,,15000",
    ",20,,,,",
    "",
    ",30,,,,99999",
    "P2,鉄筋ｺﾝｸﾘｰﾄ殻,10t",
    ",60,4,,,50000,0,100,0,100,0,100,1,1,1",
    "",
    "P3,無筋,4t,DID有,人力",
    ",60,1,,,8000,0,100,0,100,0,100,1,1,1",
    ",,,,,",
    "",
    "P4,最後,キー",
])
write("packages/ratios.csv", [
    "単価表",
    "[zero-x]",
    ",60,0,,,12000,50,0,30,100,20,100,25000,20000,150",
    "",
    "[zero-s]",
    ",60,0,,,12000,50,100,30,100,20,100,25000,0,150",
    "",
    "[zero-s-unweighted]",
    ",60,0,,,12000,50,100,30,100,0,0,25000,20000,0",
    "",
    "[significant]",
    ",60,0,,,12000,100,100,0,100,0,100,10000,1,1",
    "",
    "[ceil]",
    ",60,0,,,12000.4,0,100,0,100,0,100,1,1,1",
    "",
    "[decimal-whole]",
    ",60,0,,,15000,60,100,30,100,10,100,25000,20000,150",
    "",
    "[whole-a]",
    ",60,0,,,15000,1,100,0,100,70,100,25000,20000,150",
    "",
    "[whole-b]",
    ",60,0,,,7500,23,100,15,100,58,100,10000,100,25000",
    "",
    "[whole-c]",
    ",60,0,,,9000,43.1,43.1,18.3,18.3,6.4,6.4,14400,25100,150",
    "",
    "[not numbers]",
    ",abc,x9,,,12000,x,y,z,,,,,,",
    "",
    "[huge]",
    ",60,0,,,1e12,0,100,0,100,0,100,1,1,1",
    "",
    "[long cells]",
    ",12.3456789012345678,0,,,1000.00000000000001,0,100,0,100,0,100,1,1,1",
    "",
    "[no commas]",
    ",5,0,,,100,0,100,0,100,0,100,1,1,1",
    "junk",
    ",9",
    "",
    b"\x81\xff[bad bytes]\xfd",
    b",7,0,,,\x81\xff300,0,100,0,100,0,100,1,1,1",
    "",
    "[empty first row]",
    "",
])

write("packages/one_line.csv", ["単価表,鉄筋ｺﾝｸﾘｰﾄ殻,10t"])

# Site tables that are wrong in one way each ---------------------------------------------------
write("sites/fees_malformed.txt", [
    FEE_HEADER,
    fee_row("S01", "短い行", "7000", "円/t", "見積", TETSUKIN, count=10),
    fee_row("S02", "単位まで", "6000", "円/t", "見積", TETSUKIN, count=12),
    fee_row("S03", TETSUKIN + "専用処分場", "5500", "円/t", "出典22", "その他"),
    TETSUKIN,
    fee_row("S05", "処" * 150, "5000", "円/t", "見積", TETSUKIN),
    fee_row("S06", "x", "4500", "円/t", "見積", TETSUKIN).encode("cp932").replace(
        b",x,", b",\x81\x20\xff,"),
    fee_row("S07", "x" * 300, "4000", "y" * 300, "見積", TETSUKIN),
    fee_row("S08", "無筋だけ", "100", "円/t", "見積", MUKIN),
])
write("sites/fees_badfee.txt", [
    FEE_HEADER,
    fee_row("B01", "良い処分場1", "1000", "円/t", "見積", TETSUKIN),
    fee_row("B02", "良い処分場2", "2000", "円/t", "見積", TETSUKIN),
    fee_row("B03", "不正な処分費", "12a", "円/t", "見積", TETSUKIN),
    fee_row("B04", "後の処分場", "3000", "円/t", "見積", TETSUKIN),
])
write("sites/coords_malformed.csv", [
    "No,S01,1,2",
    "1,s03,100.5,200.25",
    "2,S03,9,9",
    "3,S02,,",
    "4,S06,5,6",
])
write("sites/coords_bad_number.csv", ["No,キー,X,Y", "1,S03,1,1", "2,S05,abc,1", "3,S06,5,6"])
# The first line is tested like any other: here it is the one site line.
# Keys that match only as the case-insensitive comparison matches them: letters of either case
# at their own width; the first coordinate line of a key gives the position, and later lines of
# the same key are never read. A trail byte that looks like a letter ("ア" is 0x83 0x41, "ヂ"
# 0x83 0x61) is no letter.
write("sites/fees_folded_keys.txt", [
    FEE_HEADER,
    fee_row("abc", "小文字の処分場", "1000", "円/t", "見積", TETSUKIN),
    fee_row("ＫＥＹ１", "全角の処分場", "1000", "円/t", "見積", TETSUKIN),
    fee_row("ＫＥＹ２", "半角の座標しかない処分場", "1000", "円/t", "見積", TETSUKIN),
    fee_row("ΑΒ", "ギリシャ文字の処分場", "1000", "円/t", "見積", TETSUKIN),
    fee_row("ABC", "同じキーの処分場", "1000", "円/t", "見積", TETSUKIN),
    fee_row("アX", "カナのキーの処分場", "1000", "円/t", "見積", TETSUKIN),
])
write("sites/coords_folded_keys.csv", [
    "No,キー,X,Y",
    "1,Abc,1,2",
    "2,abc,99,99",
    "3,ｋｅｙ１,3,4",
    "4,ＫＥＹ１,abc,abc",
    "5,KEY2,5,6",
    "6,αβ,7,8",
    "7,ヂx,9,10",
    "8,アx,11,12",
])
write("sites/fees_one_line.txt", [fee_row("H01", "見出し行の処分場", "800", "円/t", "見積", TETSUKIN)])
write("sites/coords_one_line.csv", ["1,H01,10,20"])
write("sites/categories_two.ini", ini([("処分費目", [TETSUKIN, MUKIN])]))
