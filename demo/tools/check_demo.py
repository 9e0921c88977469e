#!/usr/bin/env python3
"""Reads the generated demo description back the way the tool does and checks it.

Every file is parsed with the tool's grammar (trimmed lines, section headers, scan limits,
field order) rather than with knowledge of how gen_demo.py wrote it, so a line the tool
would misread shows up here. Exits non-zero and lists the problems when a check fails.
"""

import pathlib
import re
import sys

PROGRAM = pathlib.Path(__file__).resolve().parent.parent / "program"
INT64_MAX = 2**63 - 1

TYPE_NAMES = (["Int16", "Uint16", "Int32", "Uint32", "_IQ"] + [f"IQ{q}" for q in range(32)] +
              [f"uIQ{q}" for q in range(32)] + ["Float32"])

problems = []


def fail(text):
    problems.append(text)


def check(cond, text):
    if not cond:
        fail(text)
    return cond


def trim(s):
    i, j = 0, len(s)
    while i < j and ord(s[i]) <= 32:
        i += 1
    while j > i and ord(s[j - 1]) <= 32:
        j -= 1
    return s[i:j]


def type_code(name):
    name = trim(name)[:20].lower()
    for code, n in enumerate(TYPE_NAMES):
        if n.lower() == name:
            return code
    return 0


def read_lines(relative):
    path = PROGRAM / relative
    data = path.read_bytes()
    check(b"\n" not in data.replace(b"\r\n", b""), f"{relative}: line ends other than CR LF")
    check(data.endswith(b"\r\n"), f"{relative}: no CR LF after the last line")
    try:
        text = data.decode("gbk")
    except UnicodeDecodeError as e:
        fail(f"{relative}: not GBK ({e})")
        text = data.decode("gbk", errors="replace")
    return re.split(r"\r\n|\r|\n", trim(text))


def to_int(text, base=10):
    try:
        return int(text, base)
    except ValueError:
        return None


# ---- section scanning -------------------------------------------------------------------------

def exact_sections(lines, header, limit):
    """Bodies of every section whose trimmed header line equals header (any case)."""
    out = []
    for i, line in enumerate(lines):
        if trim(line).lower() == header.lower():
            out.append(section_body(lines, i, limit))
    return out


def pattern_sections(lines, pattern, limit):
    out = []
    for i, line in enumerate(lines):
        t = trim(line)
        if not t.startswith(";") and "[" in t and pattern.lower() in t.lower():
            out.append((t, section_body(lines, i, limit)))
    return out


def section_body(lines, start, limit):
    body = []
    for line in lines[start + 1:start + 1 + limit]:
        t = trim(line)
        if t.startswith("[") and "]" in t:
            break
        body.append(t)
    return body


def key_value(body, keys):
    """Key lines: the first listed key contained (any case) in a line takes it."""
    values = {}
    for t in body:
        if t.startswith(";"):
            continue
        for key, prefix in keys:
            if (key + "=").lower() in t.lower():
                values.setdefault(key, trim(re.sub(re.escape(prefix), "", t, flags=re.I)))
                break
    return values


# ---- model description --------------------------------------------------------------------

def parse_parameter(line):
    rest = trim(line.split("=", 1)[1]) if "=" in line else trim(line)
    e = {}

    def take(sep):
        nonlocal rest
        k = rest.find(sep)
        if k < 0:
            raise ValueError(f"missing '{sep}'")
        value, rest = rest[:k], rest[k + len(sep):]
        return value

    e["name"] = take(".")
    e["default"] = take(".")
    lo, hi = trim(take(".")), trim(take("."))
    e["range"] = f"{lo}-{hi}"
    e["lo"] = to_int(lo)
    e["hi"] = to_int(hi)
    e["unit"] = take(".")
    e["relation"] = take("..")
    e["pr"] = int(take(" "), 16)
    close = rest.find(")")
    e["bracket"] = rest[1:close]
    rest = rest[rest.index(",") + 1:]
    e["level"] = rest[:1]
    rest = rest[rest.index("*") + 1:]
    e["effect"] = rest[:1]
    rest = rest[1:]
    if "{" in rest:
        rest = rest[rest.index("{") + 1:]
        e["desc"] = rest[:rest.index("}")] if "}" in rest else e["name"]
    else:
        e["desc"] = e["name"]
    e["type"] = ""
    if "(*" in rest:
        rest = rest[rest.index("(*") + 2:]
        e["type"] = rest[:rest.index("*)")] if "*)" in rest else ""
    e["code"] = type_code(e["type"])
    return e


def read_parameters(lines, where):
    out = []
    for body in exact_sections(lines, "[Parameter]", 10000):
        for t in body:
            if not t or "TalNum=" in t:
                continue
            try:
                out.append(parse_parameter(t))
            except ValueError as err:
                fail(f"{where}: parameter line not readable ({err}): {t[:60]}")
    return out


def read_registers(lines):
    out = []
    for body in exact_sections(lines, "[Register]", 10000):
        for t in body:
            if "%" not in t:
                continue
            rest = trim(t.split("=", 1)[1]) if "=" in t else t
            number = int(rest[:4], 16)
            rest = rest[5:]
            name = trim(rest[:rest.index("%")]) if "%" in rest else trim(rest)
            rest = rest[rest.index("%") + 1:] if "%" in rest else ""
            typ = trim(rest[:rest.index("%")]) if "%" in rest else ""
            out.append(dict(number=number, name=name[:50], type=typ, code=type_code(typ)))
    return out


def read_monitor_defs(lines):
    out = []
    for body in exact_sections(lines, "[WaveRegDefing]", 10000):
        for t in body:
            if ":" not in t:
                continue
            rest = trim(t.split("=", 1)[1]) if "=" in t else t
            number, rest = rest.split(":", 1)
            fields = rest.split("*", 4)
            coef = to_int(trim(fields[4])) if len(fields) > 4 else None
            out.append(dict(number=int(trim(number), 16), name=trim(fields[0]),
                            unit=trim(fields[1]), hint=trim(fields[2]), tag=trim(fields[3]),
                            coef=1 if coef is None else coef))
    return out


def read_alarms(lines):
    regs = [0xFFFF] * 3
    alarms = []
    for body in exact_sections(lines, "[ErrStuDefine]", 10000):
        for t in body:
            if not t:
                continue
            for k in range(3):
                key = f"ErrStuReg{k + 1}"
                if key in t:
                    v = to_int(t.replace(key + "=", ""), 16)
                    regs[k] = 0xFFFF if v is None else v
                    break
            else:
                code, rest = t.split("=", 1)
                code = int(trim(code))
                if "{" not in rest:
                    continue
                name = trim(rest[:rest.index("{")])
                desc = rest[rest.index("{") + 1:]
                desc = trim(desc[:desc.index("}")]) if "}" in desc else trim(desc)
                if name and name.upper() != "NC":
                    alarms.append(dict(code=code, name=name, desc=desc))
    return regs, alarms


# ---- checks ---------------------------------------------------------------------------------

def check_model(model_name, data_file):
    where = f"Source/{data_file}"
    lines = read_lines(where + ".txt")
    params = read_parameters(lines, where)
    regs = read_registers(lines)
    monitors = read_monitor_defs(lines)
    err_regs, alarms = read_alarms(lines)

    check(len(params) >= 300, f"{where}: {len(params)} parameters, want at least 300")
    numbers = [e["pr"] for e in params]
    check(numbers == sorted(set(numbers)), f"{where}: Pr numbers not unique and ascending")
    wide = {e["pr"] for e in params if e["type"] in ("Int32", "Uint32", "IQ24", "_IQ")}
    for pr in range(0, 0x150):
        if pr in wide and pr + 1 in numbers:
            fail(f"{where}: Pr{pr + 1:02X} is the high word of Pr{pr:02X}")
        if pr not in numbers and pr - 1 not in wide:
            fail(f"{where}: Pr{pr:02X} missing")
    check(numbers[-1] >= 0x14F, f"{where}: parameters end before Pr14F")
    seen_types = set()
    for e in params:
        tag = f"{where} Pr{e['pr']:02X}"
        seen_types.add(e["type"])
        check(e["lo"] is not None and e["hi"] is not None, f"{tag}: bounds not integers")
        d = to_int(trim(e["default"]))
        check(d is not None and e["lo"] is not None and e["lo"] <= d <= e["hi"],
              f"{tag}: default {e['default']} outside {e['range']}")
        if e["type"] in ("Int16", "", "Uint16"):
            lo_ok = -32768 if e["type"] != "Uint16" else 0
            hi_ok = 32767 if e["type"] != "Uint16" else 65535
            check(lo_ok <= e["lo"] <= e["hi"] <= hi_ok, f"{tag}: range {e['range']} beyond its type")
        check(e["effect"] in "012" and e["effect"], f"{tag}: effect mode {e['effect']!r}")
        check(e["level"] in ("1", "2"), f"{tag}: access level {e['level']!r}")
        check(not e["type"] or e["type"] in TYPE_NAMES, f"{tag}: type {e['type']!r}")
        for field, cap in (("name", 100), ("unit", 10), ("default", 20), ("relation", 10),
                           ("bracket", 10), ("range", 31), ("desc", 2000)):
            check(len(e[field]) <= cap, f"{tag}: {field} longer than {cap}")
        check(e["desc"] != e["name"], f"{tag}: no description")
    check({"Int16", "Uint16", "Int32", "Uint32", ""} <= seen_types,
          f"{where}: not every parameter type occurs")
    check({e["effect"] for e in params} == {"0", "1", "2"}, f"{where}: effect modes missing")
    check(any(e["level"] == "2" for e in params), f"{where}: no administrator parameter")
    check(sum("LPCM" in e["name"].upper() and not e["type"] for e in params) >= 8,
          f"{where}: too few untyped LPCM parameters")

    names = [r["name"] for r in regs]
    check(len(names) == len(set(names)), f"{where}: register names repeat")
    used = {}
    for r in regs:
        width = 2 if r["code"] in (2, 3, 69) or 21 <= r["code"] <= 36 or 53 <= r["code"] <= 68 else 1
        m = re.match(r"^(.*)\[(\d+)\]$", r["name"])
        if m:
            width *= int(m.group(2))
        for a in range(r["number"], r["number"] + width):
            check(a not in used, f"{where}: register {r['name']} overlaps {used.get(a)}")
            used[a] = r["name"]
    by_number = {r["number"]: r for r in regs}
    check(0x6FC1 in by_number, f"{where}: no register at 6FC1")

    check(len(monitors) >= 20, f"{where}: {len(monitors)} monitor definitions")
    for m in monitors:
        r = by_number.get(m["number"])
        check(r is not None and r["code"] <= 3,
              f"{where}: monitor {m['name']} at {m['number']:04X} is not a readable register")
        check(len(m["tag"]) <= 5 and len(m["unit"]) <= 10 and len(m["hint"]) <= 100,
              f"{where}: monitor {m['name']} field too long")
        check(m["coef"] > 0, f"{where}: monitor {m['name']} coefficient {m['coef']}")

    check(len(alarms) >= 30, f"{where}: {len(alarms)} alarms, want at least 30")
    codes = [a["code"] for a in alarms]
    check(len(codes) == len(set(codes)), f"{where}: alarm codes repeat")
    check(all(1 <= c <= 96 for c in codes), f"{where}: alarm code outside 1..96")
    check({(c - 1) // 32 for c in codes} == {0, 1, 2}, f"{where}: alarms not over three registers")
    for k, reg in enumerate(err_regs):
        r = by_number.get(reg)
        check(r is not None and r["type"] == "Uint32", f"{where}: ErrStuReg{k + 1} = {reg:04X}")
    for a in alarms:
        check(len(a["name"]) <= 50 and len(a["desc"]) <= 100, f"{where}: alarm {a['code']} too long")
    return params, regs


def check_system(models):
    where = "System/SysConfig.ddt"
    lines = read_lines("System/SysConfig.ddt.txt")
    keys = [("Name", "Name="), ("Reg", "Reg="), ("Hint", "Hint="), ("Unit", "Unit="),
            ("Coefficient", "Coefficient=")]
    waves = [key_value(b, keys) for _h, b in pattern_sections(lines, "[Wave", 100)]
    user_monitors = [key_value(b, keys) for _h, b in pattern_sections(lines, "[UserMonitor", 100)]
    zero_keys = [("Name", "Name="), ("Para", "Para=Pr"), ("Reg", "Reg="), ("Hint", "Hint="),
                 ("Permission", "Permission=")]
    zeros = [key_value(b, zero_keys) for _h, b in pattern_sections(lines, "Zero]", 100)]

    for model_name, (params, regs) in models.items():
        by_name = {r["name"]: r for r in regs}
        by_lower = {r["name"].lower(): r for r in regs}
        pr_numbers = {e["pr"]: e for e in params}
        tag = f"{where} with {model_name}"
        check(len(waves) >= 10, f"{tag}: {len(waves)} wave sources")
        wave_names = [w.get("Name", "") for w in waves]
        check("电机速度" in wave_names and "电机参考速度" in wave_names, f"{tag}: no motor speed sources")
        for w in waves:
            check(w.get("Reg", "").lower() in by_lower, f"{tag}: wave {w.get('Name')} register {w.get('Reg')}")
            check(to_int(w.get("Coefficient", "")) not in (None, 0), f"{tag}: wave {w.get('Name')} coefficient")
            check(len(w.get("Unit", "")) <= 10 and len(w.get("Name", "")) <= 50, f"{tag}: wave {w.get('Name')} too long")
        check(len(user_monitors) >= 10, f"{tag}: {len(user_monitors)} user monitor items")
        for m in user_monitors:
            r = by_name.get(m.get("Reg", ""))
            check(r is not None and r["code"] <= 3, f"{tag}: user monitor {m.get('Name')} register {m.get('Reg')}")
            check(to_int(m.get("Coefficient", "")) not in (None, 0), f"{tag}: user monitor {m.get('Name')} coefficient")
        check(len(zeros) >= 2, f"{tag}: {len(zeros)} zero entries")
        for z in zeros:
            pr = to_int(z.get("Para", ""), 16)
            check(pr in pr_numbers, f"{tag}: zero entry {z.get('Name')} parameter {z.get('Para')}")
            check(z.get("Reg") in by_name, f"{tag}: zero entry {z.get('Name')} register {z.get('Reg')}")
            check(z.get("Permission") in ("1", "2"), f"{tag}: zero entry {z.get('Name')} permission")

        iplc = read_iplc(lines)
        check(sorted({e["index"] for e in iplc}) == list(range(9)), f"{tag}: iPLC indexes")
        for seg in range(1, 9):
            words = [e for e in iplc if f"段{seg}控制字" in e["name"]]
            check(len(words) >= 1 and words[0]["index"] == seg and words[0]["code"] == 1,
                  f"{tag}: control word of segment {seg}")
        for label in ("脉冲系数", "行程系数", "寻原点模式", "找原点电机方向", "找原点电机速度",
                      "找原点补偿行程", "寻原点Z相个数", "寻原点低速速度"):
            hits = [e for e in iplc if label in e["name"]]
            check(hits and hits[0]["index"] == 0, f"{tag}: iPLC field {label}")
        for e in iplc:
            p = pr_numbers.get(e["address"])
            check(p is not None, f"{tag}: iPLC {e['name']} at Pr{e['address']:02X} is no parameter")
            if p is not None:
                check(trim(p["name"]) == trim(e["name"]), f"{tag}: iPLC {e['name']} named {p['name']} in the model")
                wide_p = p["code"] in (2, 3)
                check(wide_p == (e["code"] in (2, 3)), f"{tag}: iPLC {e['name']} width differs from the model")
                check((p["lo"], p["hi"]) == (e["lo"], e["hi"]), f"{tag}: iPLC {e['name']} range differs")
            check(e["code"] <= 3, f"{tag}: iPLC {e['name']} type")
            d = to_int(trim(e["default"]))
            check(d is not None and e["lo"] <= d <= e["hi"], f"{tag}: iPLC {e['name']} default")

        io = {}
        for body in exact_sections(lines, "[IODat]", 100):
            io = key_value(body, [("X0_4", "X0_4=Pr"), ("X5_9", "X5_9=Pr"),
                                  ("X10_14", "X10_14=Pr"), ("Y0_4", "Y0_4=Pr"),
                                  ("Y5_9", "Y5_9=Pr"), ("XReg", "XReg="), ("YReg", "YReg=")])
        for k in ("X0_4", "X5_9", "X10_14", "Y0_4", "Y5_9"):
            check(to_int(io.get(k, ""), 16) in pr_numbers, f"{tag}: [IODat] {k}")
        check(io.get("XReg") in by_name and io.get("YReg") in by_name, f"{tag}: [IODat] registers")
        outstus = None
        for body in exact_sections(lines, "[SysReg]", 100):
            for t in body:
                if "OutStus=" in t:
                    outstus = trim(re.sub("outstus=", "", t, flags=re.I))
                    break
        check(outstus in by_name, f"{tag}: [SysReg] OutStus {outstus}")
        barred = []
        for body in exact_sections(lines, "[ProhibitedImportParameter]", 100):
            barred += [int(trim(re.sub("pr", "", t, flags=re.I)), 16) for t in body if "Pr" in t]
        check(barred and all(pr in pr_numbers for pr in barred), f"{tag}: barred parameters")


def read_iplc(lines):
    out = []
    for body in exact_sections(lines, "[LpcmPara]", 1000):
        for t in body:
            if not t or t.startswith(";") or "=" not in t:
                continue
            rest = trim(t.split("=", 1)[1]).replace("***", "*")
            f = rest.split("*", 9)
            if not check(len(f) == 10, f"[LpcmPara]: {len(f)} fields in {t[:40]}"):
                continue
            out.append(dict(name=f[0], default=f[1], lo=int(trim(f[2])), hi=int(trim(f[3])),
                            unit=trim(f[4]), address=int(trim(f[5]), 16), desc=trim(f[6]),
                            type=trim(f[7]), code=type_code(f[7]), effect=trim(f[8]),
                            index=int(trim(f[9]))))
    return out


def read_ini(relative):
    sections = {}
    current = None
    for line in read_lines(relative):
        t = trim(line)
        if t.startswith("[") and t.endswith("]"):
            current = sections.setdefault(t[1:-1].lower(), {})
        elif "=" in t and current is not None:
            k, v = t.split("=", 1)
            current.setdefault(trim(k).lower(), trim(v))
    return sections


def check_encoder():
    lines = read_lines("System/Encoder.ddt.txt")
    keys = ["Addres=", "Range=", "Unit=", "Coefficient=", "DefultValue=", "DataType=",
            "EffectiveWay=", "Name=", "Hint="]
    entries = []
    for i, line in enumerate(lines):
        t = trim(line)
        if "[pr" in t.lower() and "]" in t:
            e = {"pr": to_int(trim(re.sub(r"\[pr|\]", "", t, flags=re.I)), 16) or 0}
            for body_line in lines[i + 1:i + 101]:
                b = trim(body_line)
                if "[" in b and "]" in b:
                    break
                for key in keys:
                    if key.lower() in b.lower():
                        e[key] = re.sub(re.escape(key), "", b, flags=re.I)
                        break
            entries.append(e)
    prs = []
    for e in entries:
        addr = trim(e.get("Addres=", ""))
        pr = to_int(addr) if addr else e["pr"]
        check(pr == e["pr"], f"Encoder.ddt: Addres {addr} differs from its header")
        prs.append(pr)
        lo, _, hi = e.get("Range=", "").partition("~")
        lo, hi = to_int(trim(lo)), to_int(trim(hi))
        d = to_int(trim(e.get("DefultValue=", "")))
        check(None not in (lo, hi, d) and lo <= d <= hi, f"Encoder.ddt Pr{pr:X}: default/range")
        check(e.get("DataType=") in ("Uint16", "Int16"), f"Encoder.ddt Pr{pr:X}: data type")
        check(e.get("EffectiveWay=") in ("0", "1", "2"), f"Encoder.ddt Pr{pr:X}: effect mode")
        check(bool(trim(e.get("Name=", ""))), f"Encoder.ddt Pr{pr:X}: no name")
    check(0x1A0 in prs, "Encoder.ddt: no Pr1A0")
    check(len(prs) == len(set(prs)) and len(prs) >= 10, "Encoder.ddt: entries")


def check_gain():
    ini = read_ini("System/Gain.ddt.txt")
    model = ini.get("model", {})
    n = to_int(model.get("len", "8"))
    names = []
    for i in range(n):
        name = model.get(str(i), "")
        if not name:
            break
        names.append(name)
    check(len(names) == 3, f"Gain.ddt: {len(names)} motor models")
    for name in names:
        sec = ini.get(name.lower(), {})
        series = name.split("_", 1)[1].split("_", 1)[1] if name.count("_") >= 2 else name
        check(to_int(trim(series)) is not None, f"Gain.ddt {name}: series not a number")
        for key in ("jr", "kt", "in", "nn", "pn", "enc"):
            v = to_int(sec.get(key, ""))
            check(v is not None and 0 <= v <= 65535, f"Gain.ddt {name}: {key}")
        for r in range(16):
            words = sec.get(f"{r:02d}", "").split("\t")
            check(len(words) == 8 and all(to_int(w) is not None and 0 <= to_int(w) <= 65535
                                          for w in words), f"Gain.ddt {name}: row {r:02d}")


def check_register_file():
    lines = read_lines("Source/reg28xx.mit")
    rows = []
    for line in lines[1:2001]:
        if "=END OF DEFINE==" in line.upper():
            break
        if trim(line[:7]).upper() != "#DEFINE":
            continue
        rest = line[line.lower().index("#define") + 8:]
        name = trim(rest[:rest.index("*")])
        rest = rest[rest.index("*") + 1:]
        rest = rest[rest.index("*)") + 2:]
        addr = rest[:rest.index(")")]
        check(re.fullmatch(r"0x[0-9A-F]{4}", addr) is not None, f"reg28xx.mit: address {addr!r} of {name}")
        rows.append((name, addr))
    else:
        fail("reg28xx.mit: no end marker")
    check(len(rows) >= 200, f"reg28xx.mit: {len(rows)} definitions")
    check(len({n for n, _ in rows}) == len(rows), "reg28xx.mit: names repeat")
    check(len({a for _, a in rows}) == len(rows), "reg28xx.mit: addresses repeat")


def check_config(models):
    ini = read_ini("Config.ini")
    sysset = ini.get("systemset", {})
    check(sysset.get("kk", "") == "", "Config.ini: a remembered password")
    ranges = ini.get("voltagelelve", {})
    grid = ini.get("vgridlelve", {})
    n = to_int(ranges.get("length", ""))
    for i in range((n or 0) + 1):
        caption = ranges.get(str(i), "")
        try:
            check(float(grid.get(caption.lower(), "")) > 0, f"Config.ini: range {caption}")
        except ValueError:
            fail(f"Config.ini: range {caption!r} has no value per division")
    lengths = ini.get("frequencylelve", {})
    check(lengths.get("length") == "79", "Config.ini: FrequencyLelve Length")
    fgrid = ini.get("fgridlelve", {})
    for i in range(80):
        check(to_int(fgrid.get(str(i), "")) == i + 1, f"Config.ini: FGridLelve {i}")
        check(bool(lengths.get(str(i))), f"Config.ini: FrequencyLelve {i}")
    lines = read_lines("System/SysConfig.ddt.txt")
    sources = len(pattern_sections(lines, "[Wave", 100))
    for c in range(1, 5):
        check(to_int(sysset.get(f"wve1_{c}idx", "")) in range(sources), f"Config.ini: Wve1_{c}Idx")
        check(to_int(sysset.get(f"ch1_{c}rage", "")) in range((n or 0) + 1), f"Config.ini: Ch1_{c}Rage")
        check(to_int(ini.get("datatype1", {}).get(f"ch{c}", "")) is not None, f"Config.ini: DataType1 Ch{c}")
    for section, keys in (("timesout1", 5), ("frmoptions", 5), ("comset", 2), ("framconnect", 1)):
        check(len(ini.get(section, {})) == keys, f"Config.ini: section {section}")


def check_model_list():
    ini = read_ini("DriType.dat")
    n = to_int(ini.get("drivertype", {}).get("number", "0"))
    names = [ini["drivertype"].get(str(i), "") for i in range(n + 1)]
    names = [x for x in names if x]
    check(len(names) >= 2, "DriType.dat: fewer than two models")
    default = ini.get("default", {})
    select = to_int(default.get("select", "0"))
    check(names[select] == default.get("selectmodel"), "DriType.dat: Select and SelectModel differ")
    out = {}
    for name in names:
        data_file = ini.get("datafile", {}).get(name.lower(), "")
        check((PROGRAM / "Source" / (data_file + ".txt")).exists(), f"DriType.dat: {name} file {data_file}")
        out[name] = data_file
    return out


def check_help():
    topics = ["introduction.htm", "ready.htm", "welcome_topic.htm", "new_topic4.htm",
              "new_topic8.htm", "new_topic5.htm", "modifypara.htm", "backuppara.htm",
              "importpara.htm", "viewpara.htm", "xorio.htm", "runtip.htm", "new_topic6.htm",
              "new_topic7.htm", "zero.htm", "new_topic2.htm", "backupwve.htm", "importwve.htm",
              "trig.htm", "fig.htm", "compare.htm", "integral.htm", "bitmod.htm", "hotKey.htm",
              "findpara.htm"]
    for name in topics + ["index.html"]:
        if check((PROGRAM / "Help" / name).exists(), f"Help/{name} missing"):
            read_lines(f"Help/{name}")


def main():
    models = {}
    for name, data_file in check_model_list().items():
        models[name] = check_model(name, data_file)
    check_system(models)
    check_encoder()
    check_gain()
    check_register_file()
    check_config(models)
    check_help()
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} problem(s)")
        return 1
    first = next(iter(models.values()))
    print(f"ok: {len(models)} models, {len(first[0])} parameters, {len(first[1])} registers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
