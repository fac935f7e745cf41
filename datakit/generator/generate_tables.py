#!/usr/bin/env python3
"""Writes the generated tables of the sample data kit into ../sources/dat/.

Inputs (UTF-8, hand-written):
  areas.csv        area names with a centre point and the area's fuel price
  sites.csv        disposal sites: key, name, place, X/Y and the fee per material
  ../sources/dat/SP*_RowSource.ini  the condition texts the package keys are built from

Outputs (UTF-8, LF line ends; the kit tool converts them to code page 932):
  EA01_地区.csv            areas
  ET02_各種一次製品.csv    fuel price per area
  ET19_処理料金.csv        disposal fees, one line per site and material
  EC01_処分場座標.csv      site coordinates
  EB01_距離帯.ini          the twelve distance-band sections of the labour-rate method
  ESP2_施工パッケージ.csv  construction packages for every condition the package mode offers

The output is deterministic: run it again after editing an input and commit the result.
"""

import csv
import itertools
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
DAT = os.path.join(HERE, "..", "sources", "dat")

MATERIALS = ["鉄筋ｺﾝｸﾘｰﾄ塊", "無筋ｺﾝｸﾘｰﾄ塊", "ｱｽｺﾝ塊"]

# Load classes and refuse kinds that the package mode's haul types 2 and 3 key on. The
# condition page has no item source for them yet; these are the texts the packages carry.
SEKISAI = ["ﾀﾞﾝﾌﾟﾄﾗｯｸ4t積級", "ﾀﾞﾝﾌﾟﾄﾗｯｸ2t積級"]
JINKAI = ["一般塵芥", "刈草･伐採木"]
DT_KEYS = ["ﾀﾞﾝﾌﾟﾄﾗｯｸ持込", "ﾀﾞﾝﾌﾟﾄﾗｯｸ貸与"]
DID_KEYS = ["DID無", "DID有"]

# Distance brackets (km): upper bounds of the package brackets, lower bounds of the bands.
BRACKETS = [0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 4.5, 5.0, 5.5, 6.5, 7.5, 8.5, 9.5, 11.0,
            12.5, 14.5, 17.0, 19.5, 22.0, 25.5, 30.0, 35.5, 43.5, 60.0]
BAND_LOWER = [0.0] + BRACKETS[:-1]

WORKING_MINUTES = 420.0  # a day's driving and loading time
UNLOAD_MINUTES = 5.0


def speed(did):
    return 22.0 if did else 27.0  # km/h, slower through a densely inhabited district


def daily_volume(km, load_minutes, volume, did):
    """m3 one truck hauls in a day over `km` one way."""
    cycle = load_minutes + UNLOAD_MINUTES + 2.0 * km / speed(did) * 60.0
    trips = WORKING_MINUTES / cycle
    return trips * volume


def write_text(name, lines):
    with open(os.path.join(DAT, name), "w", encoding="utf-8", newline="\n") as out:
        for line in lines:
            out.write(line + "\n")


def read_csv(name):
    with open(os.path.join(HERE, name), encoding="utf-8", newline="") as source:
        rows = list(csv.reader(source))
    return rows[0], rows[1:]


def read_sections(name):
    """Sections of a row-source INI file as lists of lines."""
    sections = {}
    current = None
    with open(os.path.join(DAT, name), encoding="utf-8") as source:
        for line in source.read().splitlines():
            if not line or line.startswith(";"):
                continue
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1], [])
                continue
            if current is not None:
                current.append(line)
    return sections


def nearest_area(areas, x, y):
    return min(areas, key=lambda a: math.hypot(a["x"] - x, a["y"] - y))["name"]


# ---------------------------------------------------------------- areas, fuel, sites


def areas_and_fuel():
    _, rows = read_csv("areas.csv")
    areas = [{"name": r[0], "x": float(r[1]), "y": float(r[2]), "fuel": int(r[3])} for r in rows]
    write_text("EA01_地区.csv", ["地区名"] + [a["name"] for a in areas])
    write_text("ET02_各種一次製品.csv",
               ["軽油 ﾊﾟﾄﾛｰﾙ給油(円/L) 地区の順"] + [str(a["fuel"]) for a in areas])
    return areas


def fee_and_coordinate_tables(areas):
    _, sites = read_csv("sites.csv")
    fee_lines = ["No,年度,地区,所在地,区分,施設ｺｰﾄﾞ,許可番号,処分場名,処理方法,品目,処分費,"
                 "単位,受入条件,受入時間,休業日,計量,適用開始,前年度単価,備考,予備1,予備2,出典"]
    coordinate_lines = ["No,施設ｺｰﾄﾞ,X座標(m),Y座標(m),処分場名,所在地"]
    number = 0
    for index, site in enumerate(sites):
        key, name, place, x, y = site[0], site[1], site[2], float(site[3]), float(site[4])
        fees, unit, source = site[5:8], site[8], site[9]
        area = nearest_area(areas, x, y).replace("地区", "")
        if place.startswith("県外"):
            area = "県外"
        permit = "24-{:03d}-{:04d}".format(221 + index % 7, 1000 + index * 37)
        coordinate_lines.append("{},{},{},{},{},{}".format(index + 1, key, site[3], site[4],
                                                           name, place))
        items = list(zip(MATERIALS, fees))
        # Some sites also take waste that no disposal-cost item asks for.
        if index % 4 == 0:
            items.append(("木くず", str(8000 + index * 150)))
        if index % 5 == 2:
            items.append(("建設混合廃棄物", str(21000 + index * 300)))
        for material, fee in items:
            if fee == "-":
                continue  # not accepted
            number += 1
            asphalt = material == "ｱｽｺﾝ塊"
            method = "破砕･再生" if material in MATERIALS else "選別･中間処理"
            condition = ("最大寸法50cm以下" if asphalt else
                         "鉄筋露出30cm以下" if material == "鉄筋ｺﾝｸﾘｰﾄ塊" else
                         "最大寸法60cm以下" if material in MATERIALS else "分別品に限る")
            hours = "8:00～17:00" if index % 3 else "8:00～16:30"
            holiday = "日･祝" if index % 2 else "日･祝･第2土"
            previous = str(int(fee) - 100) if fee and int(fee) > 2000 else ""
            remark = "事前連絡要" if index % 6 == 1 else ""
            fee_lines.append(",".join([
                str(number), "R7", area, place, "中間処理", key, permit, name, method,
                material, fee, unit, condition, hours, holiday, "ﾄﾗｯｸｽｹｰﾙ", "R7.4.1",
                previous, remark, "", "", source]))
    write_text("ET19_処理料金.csv", fee_lines)
    write_text("EC01_処分場座標.csv", coordinate_lines)


# ---------------------------------------------------------------- distance bands

# Section: (loading minutes, m3 per truck, m3 the value is counted per)
BAND_SECTIONS = [
    ("直接掘削積込み10t", 6.0, 5.8, 100.0),
    ("10t", 9.0, 5.8, 100.0),
    ("4t", 7.0, 2.4, 10.0),
    ("2t {} 機械", 6.0, 1.2, 10.0),
    ("2t {} 人力", 25.0, 1.2, 10.0),
    ("切削10t", 5.0, 6.2, 100.0),
]


def band_file():
    lines = ["距離帯別 運搬日数 (下限km,日数) 10t系は100m3当り 4t･2tは10m3当り"]
    for pattern, load, volume, per in BAND_SECTIONS:
        for did in (False, True):
            did_text = DID_KEYS[1 if did else 0]
            name = pattern.format(did_text) if "{}" in pattern else pattern + " " + did_text
            lines.append("[" + name + "]")
            for lower, upper in zip(BAND_LOWER, BRACKETS):
                middle = (lower + upper) / 2.0
                days = per / daily_volume(middle, load, volume, did)
                lines.append("{:.1f},{:.2f}".format(lower, days))
            lines.append("60.1,上限超")
            lines.append("")
    write_text("EB01_距離帯.ini", lines)


# ---------------------------------------------------------------- construction packages

STANDARD_WAGE = 25100
STANDARD_FUEL = 152
# Truck: machine-rent row, standard machine rent, fuel litres a day, machine share K1,
# labour share K2, fuel share K3 (per cent of the standard unit price).
TRUCKS = {
    "10t": (3, 25400, 66, 41.8, 36.9, 15.2),
    "4t": (4, 14400, 34, 35.2, 43.5, 12.1),
    "2t": (5, 10200, 22, 30.4, 50.2, 9.3),
    "packer": (6, 12700, 28, 38.0, 44.0, 10.5),
}
# Loading method: truck, loading minutes, m3 per truck.
TSUMIKOMI = {
    "ﾊﾞｯｸﾎｳ山積0.8m3(平積0.6m3)": ("10t", 9.0, 5.8),
    "ﾊﾞｯｸﾎｳ山積0.45m3(平積0.35m3)": ("4t", 7.0, 2.4),
    "ﾊﾞｯｸﾎｳ山積0.28m3(平積0.2m3)": ("2t", 6.0, 1.2),
    "人力積込": ("2t", 25.0, 1.2),
}
# Rubble-producing work: factor on the m3 per truck.
GARA_VOLUME = {
    "ｺﾝｸﾘｰﾄ(無筋･鉄筋)構造物とりこわし": 1.0,
    "吹付法面取壊し(ﾓﾙﾀﾙ)": 0.9,
    "舗装版破砕": 1.1,
    "舗装版破砕積込み(電線共同溝)": 0.85,
}


def daily_standard_cost(truck):
    row, machine, litres, _, _, _ = TRUCKS[truck]
    return STANDARD_WAGE + STANDARD_FUEL * litres + machine * 1.13 + 1500


def package(code, keys, truck, load, volume, did, price_factor=1.0, machine_share=None):
    """Key line, first row and bracket rows of one package, then the empty line."""
    row, machine, _, k1, k2, k3 = TRUCKS[truck]
    if machine_share is not None:
        k3 = round(k3 + (k1 - machine_share) * 0.3, 1)
        k2 = round(k2 + (k1 - machine_share) * 0.7, 1)
        k1 = machine_share
    lines = ["【施工ﾊﾟｯｹｰｼﾞ】," + code + "," + ",".join(keys) + ",単位 m3"]
    previous = None
    for i, threshold in enumerate(BRACKETS):
        cost = daily_standard_cost(truck) / daily_volume(threshold, load, volume, did)
        price = int(round(cost * price_factor / 10.0)) * 10
        # An empty price cell repeats the bracket above, as the published tables print it.
        cell = "" if price == previous else str(price)
        previous = price
        if i == 0:
            lines.append(",".join([code, "{:.1f}".format(threshold), str(row), "m3", "円/m3",
                                   str(price), str(k1), str(k1), str(k2), str(k2), str(k3),
                                   str(k3), str(machine), str(STANDARD_WAGE),
                                   str(STANDARD_FUEL)]))
        else:
            lines.append(",{:.1f},,,,{}".format(threshold, cell))
    lines.append("")
    return lines


def package_file():
    hauls = read_sections("SPSyubetsu_RowSource.ini")
    garas = read_sections("SPGaraHassei_RowSource.ini")
    methods = read_sections("SPTsumikomiKubun_RowSource.ini")
    haul_lists = list(hauls.values())
    # Haul type 0 keys on the rubble work and the loading method. Every pair of a work and a
    # loading method is priced, also pairs from different lists: the condition page can keep
    # the loading methods of another work when the haul type changes.
    all_garas = []
    for works in garas.values():
        for work in works:
            if work not in all_garas:
                all_garas.append(work)
    # A text contained in another text must come first, or the search for the shorter one
    # would stop at the longer one's packages; sorting by length does that.
    all_garas.sort(key=len)
    all_methods = []
    for listed in methods.values():
        for method in listed:
            if method not in all_methods:
                all_methods.append(method)
    all_methods.sort(key=len)
    lines = ["施工ﾊﾟｯｹｰｼﾞ 殻運搬等 標準単価表 (基準 令和7年4月 東京) 運搬距離(km)以下の単価"]
    number = 0

    def add(keys, *args, **kwargs):
        nonlocal number
        number += 1
        lines.extend(package("P{:03d}".format(number), keys, *args, **kwargs))

    haul0 = {h[0] for h in haul_lists}
    assert len(haul0) == 1, "every item's first haul type must be the same text"
    haul0 = haul0.pop()
    for work in all_garas:
        for method in all_methods:
            truck, load, volume = TSUMIKOMI[method]
            for did, did_key in enumerate(DID_KEYS):
                add([haul0, work, method, did_key], truck, load, volume * GARA_VOLUME[work],
                    bool(did))
    # Haul type 1: no further choice.
    seen = set()
    for listed in haul_lists:
        haul = listed[1]
        if haul in seen:
            continue
        seen.add(haul)
        milled = "路面切削" in haul
        for did, did_key in enumerate(DID_KEYS):
            add([haul, did_key], "10t", 5.0 if milled else 6.0, 6.2 if milled else 5.8, bool(did))
    # Haul type 2: the load class.
    haul2 = {h[2] for h in haul_lists}
    assert len(haul2) == 1
    haul2 = haul2.pop()
    for sekisai in SEKISAI:
        truck = "4t" if "4t" in sekisai else "2t"
        for did, did_key in enumerate(DID_KEYS):
            add([haul2, sekisai, did_key], truck, 8.0, (2.4 if truck == "4t" else 1.2) * 0.85,
                bool(did), price_factor=1.05)
    # Haul type 3: the refuse kind and whether the dump truck is brought or lent.
    haul3 = {h[3] for h in haul_lists}
    assert len(haul3) == 1
    haul3 = haul3.pop()
    for jinkai in JINKAI:
        volume, load = (3.0, 15.0) if jinkai == "一般塵芥" else (4.0, 20.0)
        for dt_key in DT_KEYS:
            carried = dt_key.endswith("持込")
            for did, did_key in enumerate(DID_KEYS):
                add([haul3, jinkai, dt_key, did_key], "packer", load, volume, bool(did),
                    price_factor=0.78 if carried else 1.0,
                    machine_share=12.0 if carried else None)
    write_text("ESP2_施工パッケージ.csv", lines)


def main():
    areas = areas_and_fuel()
    fee_and_coordinate_tables(areas)
    band_file()
    package_file()


if __name__ == "__main__":
    main()
