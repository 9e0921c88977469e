#!/usr/bin/env python3
"""Writes the demo drive description under demo/program/ and demo/README.md.

Run it after changing any table in this folder and commit its output with it; the build only
copies and encrypts the generated files. Text files are GBK with CR LF line ends, like the
files a Windows installation carries.
"""

import pathlib
import sys

from drive_models import MODELS, MOTORS, SELECTED_MODEL
from drive_params import is_32bit, parameters
from drive_signals import (ADMIN_MONITORS, ALARM_REGISTERS, ALARMS, IO_DEFINITION,
                           IPLC_SEGMENT_OFFSETS, IPLC_SYSTEM, NO_IMPORT, OUTPUT_STATUS_REGISTER,
                           PULSE_REGISTER, REGISTERS, SERVO_ON_BIT, USER_MONITORS,
                           WAVE_SOURCES, ZERO_ENTRIES)
import dsp_registers
import help_pages

DEMO = pathlib.Path(__file__).resolve().parent.parent
PROGRAM = DEMO / "program"


def write_text(relative, lines):
    """Writes lines as GBK, each followed by CR LF."""
    path = PROGRAM / relative
    path.parent.mkdir(parents=True, exist_ok=True)
    data = "".join(line + "\r\n" for line in lines).encode("gbk")
    path.write_bytes(data)


def register_address(name):
    for addr, reg, *_ in REGISTERS:
        if reg == name:
            return addr
    raise KeyError(name)


def ini_lines(sections):
    lines = []
    for name, keys in sections:
        if lines:
            lines.append("")
        lines.append(f"[{name}]")
        lines.extend(f"{k}={v}" for k, v in keys)
    return lines


# ---- model description ------------------------------------------------------------------

def parameter_line(e):
    line = (f"P{e['pr']:03X}={e['name']}.{e['default']}.{e['lo']}.{e['hi']}.{e['unit']}."
            f"{e['relation']}..{e['pr']:02X} ({e['modes']}),{e['level']}*{e['effect']}"
            f"{{{e['desc']}}}")
    if e["type"]:
        line += f"(*{e['type']}*)"
    return line


def model_description(model):
    params = parameters(model)
    lines = ["[Parameter]", f"TalNum={len(params)}"]
    lines += [parameter_line(e) for e in params]
    lines += ["", "[Register]"]
    lines += [f"Reg{i:03d}={addr:04X}%{name}%{typ}%"
              for i, (addr, name, typ, *_rest) in enumerate(REGISTERS)]
    lines += ["", "[WaveRegDefing]"]
    lines += [f"Mon{i:02d}={addr:04X}:{name}*{unit}*{hint}*{tag}*{coef}"
              for i, (addr, name, unit, hint, tag, coef) in enumerate(ADMIN_MONITORS)]
    lines += ["", "[ErrStuDefine]"]
    for k, reg in enumerate(ALARM_REGISTERS, start=1):
        lines.append(f"ErrStuReg{k}={register_address(reg):04X}")
    for code, name, desc in model_alarms(model):
        lines.append(f"{code}=NC{{}}" if name is None else f"{code}={name}{{{desc}}}")
    return lines


def model_alarms(model):
    """The alarm table of one model: drives without a fan do not report the fan alarm."""
    out = []
    for code, name, desc in ALARMS:
        if code == 65 and not model["fan"]:
            name = desc = None
        out.append((code, name, desc))
    return out


# ---- system description -----------------------------------------------------------------

def iplc_entries(model):
    """(entry, index) for the iPLC fields, taken from the parameter table."""
    by_pr = {e["pr"]: e for e in parameters(model)}
    out = [(by_pr[pr], 0) for pr in IPLC_SYSTEM]
    for seg in range(1, 9):
        base = 0xC0 + 8 * (seg - 1)
        out += [(by_pr[base + off], seg) for off in IPLC_SEGMENT_OFFSETS]
    return out


def system_description():
    model = MODELS[SELECTED_MODEL]
    lines = ["; Tevra系列交流伺服驱动器 系统描述文件",
             "; 波形通道、监视项目、零漂校正、iPLC参数、I/O定义与禁止导入参数", ""]
    for i, (name, reg, unit, coef, hint) in enumerate(WAVE_SOURCES, start=1):
        lines += [f"[Wave{i:02d}]", f"Name={name}", f"Reg={reg}", f"Hint={hint}",
                  f"Unit={unit}", f"Coefficient={coef}", ""]
    for i, (name, reg, unit, coef, hint) in enumerate(USER_MONITORS, start=1):
        lines += [f"[UserMonitor{i:02d}]", f"Name={name}", f"Reg={reg}", f"Hint={hint}",
                  f"Unit={unit}", f"Coefficient={coef}", ""]
    for section, name, pr, reg, permission, hint in ZERO_ENTRIES:
        lines += [f"[{section}]", f"Name={name}", f"Para=Pr{pr:02X}", f"Reg={reg}",
                  f"Hint={hint}", f"Permission={permission}", ""]
    lines.append("[LpcmPara]")
    for i, (e, index) in enumerate(iplc_entries(model), start=1):
        typ = e["type"] or "Int16"
        lines.append(f"Lpcm{i:02d}={e['name']}*{e['default']}*{e['lo']}*{e['hi']}*{e['unit']}*"
                     f"{e['pr']:02X}*{e['desc']}*{typ}*{e['effect']}*{index}")
    io = IO_DEFINITION
    lines += ["", "[IODat]"]
    lines += [f"{k}=Pr{io[k]:02X}" for k in ("X0_4", "X5_9", "X10_14", "Y0_4", "Y5_9")]
    lines += [f"XReg={io['XReg']}", f"YReg={io['YReg']}", "", "[SysReg]",
              f"OutStus={OUTPUT_STATUS_REGISTER}", "", "[ProhibitedImportParameter]"]
    lines += [f"Pr{pr:02X}" for pr in NO_IMPORT]
    return lines


# ---- gain table ---------------------------------------------------------------------------

def gain_rows(motor):
    """Sixteen rigidity levels: position gain, speed gain, speed integral, speed filter, torque
    filter, second position gain, second speed gain, second speed integral."""
    heavy = motor["jr"] > 1000
    rows = []
    for level in range(16):
        speed = round((10 if heavy else 12) * 1.22 ** level)
        position = round(speed * 1.8)
        integral = max(30, round(4000 / speed * 10))
        torque_filter = max(10, round(1500 / speed))
        rows.append([position, speed, integral, 0 if level < 10 else 1, torque_filter,
                     round(position * 1.2), speed, 10000])
    return rows


def gain_file():
    sections = [("Model", [("Len", len(MOTORS))] +
                 [(str(i), m["name"]) for i, m in enumerate(MOTORS)])]
    for m in MOTORS:
        keys = [("Jr", m["jr"]), ("Kt", m["kt"]), ("IN", m["rated"]), ("nN", m["speed"]),
                ("PN", m["power"]), ("Enc", m["enc"])]
        keys += [(f"{r:02d}", "\t".join(str(v) for v in row))
                 for r, row in enumerate(gain_rows(m))]
        sections.append((m["name"], keys))
    return ini_lines(sections)


# ---- encoder parameters -------------------------------------------------------------------

ENCODER_PARAMS = [
    (0x190, "编码器通信波特率", "0~3", "-", 2, "Uint16", 1,
     "0：2.5Mbps；1：4Mbps；2：5Mbps；3：10Mbps。驱动器与编码器之间的串行通信速率，重新上电后生效。"),
    (0x191, "编码器协议类型", "0~2", "-", 0, "Uint16", 1,
     "0：标准协议；1：扩展协议(带温度)；2：扩展协议(带温度和报警历史)。"),
    (0x192, "单圈分辨率位数", "10~26", "bit", 23, "Uint16", 1,
     "编码器每转的分辨率位数，由编码器出厂写入。"),
    (0x193, "多圈分辨率位数", "0~20", "bit", 16, "Uint16", 1,
     "绝对值编码器多圈计数的位数，单圈编码器为0。"),
    (0x194, "编码器零点偏置", "0~65535", "-", 0, "Uint16", 0,
     "编码器零位与转子磁极零位之间的电角度偏差，65536对应360度电角度。"),
    (0x195, "编码器温度报警阈值", "50~150", "℃", 105, "Uint16", 0,
     "编码器内部温度超过该值时驱动器报编码器过热。"),
    (0x196, "电池报警电压", "25~36", "100mV", 31, "Uint16", 0,
     "绝对值编码器电池电压低于该值时报编码器电池欠压。"),
    (0x197, "编码器通信超时", "1~100", "us", 20, "Uint16", 1,
     "等待编码器应答的最长时间。"),
    (0x198, "数据校验方式", "0~1", "-", 1, "Uint16", 1,
     "0：奇偶校验；1：CRC校验。"),
    (0x199, "位置滤波选择", "0~3", "-", 0, "Uint16", 0,
     "编码器位置数据的数字滤波等级，0为不滤波。"),
    (0x19A, "电机型号代码", "0~9999", "-", 4060, "Uint16", 0,
     "写入编码器存储区的电机型号代码，Pr01为0时驱动器据此识别电机。"),
    (0x19B, "电机极对数", "1~32", "-", 5, "Uint16", 0,
     "写入编码器存储区的电机极对数。"),
    (0x19C, "电机额定电流", "10~6000", "10mA", 280, "Uint16", 0,
     "写入编码器存储区的电机额定电流。"),
    (0x19D, "电机额定转速", "100~10000", "rpm", 3000, "Uint16", 0,
     "写入编码器存储区的电机额定转速。"),
    (0x19E, "电机额定功率", "10~60000", "W", 400, "Uint16", 0,
     "写入编码器存储区的电机额定功率。"),
    (0x19F, "多圈数据偏置", "-32768~32767", "圈", 0, "Int16", 0,
     "绝对值编码器多圈数据的偏移量，设定原点时由驱动器写入。"),
    (0x1A0, "编码器版本号", "0~65535", "-", 0, "Uint16", 0,
     "编码器软件的版本号，只读。"),
]


def encoder_file():
    lines = []
    for pr, name, rng, unit, default, typ, eff, hint in ENCODER_PARAMS:
        if lines:
            lines.append("")
        lines += [f"[pr{pr:X}]", f"Addres={pr}", f"Name={name}", f"Range={rng}",
                  f"Unit={unit}", "Coefficient=1", f"DefultValue={default}",
                  f"DataType={typ}", f"EffectiveWay={eff}", f"Hint={hint}"]
    return lines


# ---- DSP register file --------------------------------------------------------------------

def register_file():
    lines = ["REG28XX Tevra伺服驱动器DSP寄存器定义 V1.06"]
    for title, regs in dsp_registers.blocks():
        lines += ["", f"// {title}"]
        lines += [f"#define {name:<18} *{comment}*)0x{addr:04X})" for name, addr, comment in regs]
    lines += ["", "=End of define=="]
    return lines


# ---- model list and settings ----------------------------------------------------------------

def model_list():
    return ini_lines([
        ("DriverType", [("Number", len(MODELS) - 1)] +
         [(str(i), m["name"]) for i, m in enumerate(MODELS)]),
        ("DataFile", [(m["name"], m["file"]) for m in MODELS]),
        ("Default", [("Select", SELECTED_MODEL), ("SelectModel", MODELS[SELECTED_MODEL]["name"])]),
    ])


RANGES = ["0.001", "0.002", "0.005", "0.01", "0.02", "0.05", "0.1", "0.2", "0.5", "1", "2", "5",
          "10", "20", "50", "100", "200", "500", "1000", "2000", "5000", "10000", "20000",
          "50000", "100000"]


def range_index(value):
    return RANGES.index(value)


def config_ini():
    wave_names = [w[0] for w in WAVE_SOURCES]
    channels = [  # source, range, zero line (None: off), zero line backup, data type
        ("电机速度", "500", 195, 195, 0),
        ("电机参考速度", "500", 195, 195, 0),
        ("转矩指令", "500", None, 390, 0),
        ("U相电流", "100", None, 455, 0),
    ]
    colours = [0xFF0000, 0x000080, 0x008000, 0x800080]
    systemset = [("AutoPassWordChecked", 1), ("kk", "")]
    for n, (src, rng, pos, bak, _t) in enumerate(channels, start=1):
        systemset += [(f"Wve1_{n}Idx", wave_names.index(src)),
                      (f"Ch1_{n}Rage", range_index(rng)),
                      (f"Wve1_{n}Pos", 32768 if pos is None else pos),
                      (f"Wve1_{n}PosBak", bak)]
    for n in range(1, 5):
        systemset += [(f"cWve1_{n}PosBak", 32768), (f"iWve1_{n}PosBak", 211),
                      (f"dWve1_{n}PosBak", 211), (f"ICh1_{n}Rage", range_index("5000")),
                      (f"DCh1_{n}Rage", range_index("500")), (f"cbbxBit1_{n}", 0)]
    systemset += [("mx1", 350), ("mx2", 550), ("my1", 350), ("my2", 450),
                  ("MouseAxistX", 500), ("MouseAxistY", 500), ("TiggerLabPosi", 300),
                  ("TigeChannel", 1), ("TigeType", 0), ("TigeEdge", 1), ("WaveFlelve", 1),
                  ("FigTy", 0)]
    for n, c in enumerate(colours, start=1):
        systemset += [(f"WveClr1_{n}", c)]
    for n, c in enumerate(colours, start=1):
        systemset += [(f"cWveClr1_{n}", c)]

    monitors = [(0x6F00, "iMotoSpRpm", "Int16"), (0x6F01, "iMotorRefSp", "Int16"),
                (0x6F0A, "uBusVolt", "Uint16"), (0x6FC3, "uDrvOutStus", "Uint16")]
    real_moni = [("Number", len(monitors) + 1)]
    real_moni += [(str(i), f"0x{a:04X}|{n}|{t}") for i, (a, n, t) in enumerate(monitors, start=1)]
    real_moni += [(str(len(monitors) + 1), "||")]

    sections = [
        ("Systemset", systemset),
        ("SofwareMessage", [("bUser", 1)]),
        ("TimesOut1", [(k, 20) for k in ("edtReadInterval1", "edtReadTotalConstant1",
                                          "edtReadTotalMultiplier1", "edtWriteTotalConstant1",
                                          "edtWriteTotalMultiplier1")]),
        ("frmOptions", [("DataAdaptMode", 1), ("edtCalcimineFrqncy", 10),
                        ("edtCommErrMax", 10), ("edtWaveCommErrMax", 100),
                        ("edtScanTime", 4)]),
        ("ComSet", [("Port", "COM1"), ("Baud", 13)]),
        ("framConnect", [("MachNoCom", 1)]),
        ("frmParaConfig", [("Width", 760), ("Height", 526)]),
        ("frmSvoErr", [("Width", 426), ("Height", 500)]),
        ("frmTool", [("Top", 0), ("Left", 0)]),
        ("frmFind", [("Left", 0), ("Top", 0)]),
        ("frmFindWveHead", [("Left", 0), ("Top", 0)]),
        ("UserEnactment", [("WriVolCBox", 0), ("ModelCbBx_D", 0)]),
        ("RealMoniReg", real_moni),
        ("VoltageLelve", [("Length", len(RANGES) - 1)] +
         [(str(i), f"{r}/div") for i, r in enumerate(RANGES)]),
        ("VGridLelve", [(f"{r}/div", r) for r in RANGES]),
        ("FrequencyLelve", [("Length", 79)] + [(str(i), f"{800 * (i + 1)}点") for i in range(80)]),
        ("FGridLelve", [(str(i), i + 1) for i in range(80)]),
        ("DataType1", [(f"Ch{n}", c[4]) for n, c in enumerate(channels, start=1)]),
    ]
    return ini_lines(sections)


# ---- README -----------------------------------------------------------------------------------

def readme():
    model = MODELS[SELECTED_MODEL]
    params = parameters(model)
    p32 = [e for e in params if is_32bit(e)]
    admin = [e for e in params if e["level"] == "2"]
    typed = {}
    for addr, name, typ, meaning, signal in REGISTERS:
        typed.setdefault(typ, 0)
        typed[typ] += 1

    out = []
    w = out.append
    w("# The demo drive description")
    w("")
    w("Description files for an invented drive family, the **Tevra TVD-A** series of 220 V AC")
    w("servo drives. They ship in the repository because real description files come with the")
    w("drives. Everything here is made up for this project: models, parameters, registers,")
    w("alarms and texts.")
    w("")
    w("`demo/program/` mirrors the program folder. The build copies every file into")
    w("`build/<preset>/app/` and encrypts each `X.ddt.txt` into `X.ddt`. The sources are")
    w("generated: edit the tables in `demo/tools/` and run")
    w("")
    w("    python3 demo/tools/gen_demo.py && python3 demo/tools/check_demo.py")
    w("")
    w("then commit the tables and the output together (the build itself needs no Python).")
    w("`check_demo.py` reads the output back with the grammar the tool's readers use and checks")
    w("counts, ranges and cross-references (register names, Pr numbers, alarm registers).")
    w("")
    w("| File | Content |")
    w("|---|---|")
    w("| `System/SysConfig.ddt.txt` | user wave sources `[WaveNN]`, user monitor items `[UserMonitorNN]`, "
      "zero-drift entries `[...Zero]`, `[LpcmPara]`, `[IODat]`, `[SysReg]`, `[ProhibitedImportParameter]` |")
    w("| `System/Gain.ddt.txt` | gain table: three motors with 16 rigidity rows each |")
    w("| `System/Encoder.ddt.txt` | serial encoder parameters Pr190 .. Pr1A0 |")
    w("| `Source/TVD-A0x.ddt.txt` | one model description per drive: `[Parameter]`, `[Register]`, "
      "`[WaveRegDefing]`, `[ErrStuDefine]` |")
    w("| `Source/reg28xx.mit` | DSP peripheral registers and firmware variables (debug page, DSP mode) |")
    w("| `DriType.dat` | model list, `TVD-A04` selected |")
    w("| `Config.ini` | settings of a fresh installation (copied only when the program folder has none) |")
    w("| `Help/` | `index.html` and one page per help topic |")
    w("")
    w("All text files are GBK with CR LF line ends; `README.md` and the tools are UTF-8.")
    w("")
    w("## Models")
    w("")
    w("| Model | Data file | Pr00 | Motor (gain table) | Pr07 rated current | Pr08 max current | Fan |")
    w("|---|---|---|---|---|---|---|")
    for m in MODELS:
        mo = m["motor"]
        w(f"| {m['name']} | `Source/{m['file']}` | {m['code']} | {mo['name']} ({mo['power']} W, "
          f"{mo['speed']} rpm) | {mo['rated'] / 100:g} A | {mo['rated'] * 3 / 100:g} A | "
          f"{'yes' if m['fan'] else 'no (Err65 is NC)'} |")
    w("")
    w("The three model files share the register map, the monitor items and the alarm table;")
    w("they differ in the motor and power-stage parameters (Pr00, Pr01, Pr06, Pr07, Pr08, Pr0E,")
    w("Pr0F, Pr64, Pr65, Pr110 .. Pr115, Pr120 .. Pr12C, Pr131) and in the fan alarm.")
    w("")
    w("## Drive identity (served by the simulated drive)")
    w("")
    w("Suggested values; the import check compares a backup's `HardType` with information code 3")
    w("and its `ParaVer` with code 5.")
    w("")
    w("| Item | TVD-A02 | TVD-A04 | TVD-A08 |")
    w("|---|---|---|---|")
    rows = [("information code 3 (drive type, `DriTypeLab`)", "type"),
            ("information code 4 (application type)", "use"),
            ("information code 5 (software version)", "version"),
            ("information code 6 (program identification)", "ident"),
            ("information code 7 (program information number)", "note")]
    for label, key in rows:
        w(f"| {label} | " + " | ".join(f"`{m['info'][key]}`" for m in MODELS) + " |")
    w("| EEPROM words 0x520, 0x522 (serial number) | " +
      " | ".join(f"0x{m['info']['serial'][0]:04X}, 0x{m['info']['serial'][1]:04X}" for m in MODELS)
      + " |")
    w("| EEPROM bytes 0x500 .. 0x51D (drive information, 0xFF padded) | " +
      " | ".join(f"`{m['info']['drive_info']}`" for m in MODELS) + " |")
    w("")
    w("The drive answers at station 1 (Pr90, default of `framConnect`/`MachNoCom`) at 115200 bit/s")
    w("(Pr91 = 4, default of `ComSet`/`Baud` = 13).")
    w("")
    w("## Register map")
    w("")
    w("RAM variables of the model descriptions (`[Register]`), 0x6F00 .. 0x6FFF. A 32-bit")
    w("register occupies its address and the next one (low word first). The last column says")
    w("which signal a simulated drive should produce there: sine, square, ramp (saw tooth), noise")
    w("or speed profile (trapezoid forward and back) around an offset with an amplitude in raw")
    w("register units, periods and phases in samples. Addresses not listed read 0.")
    w("")
    w("| Address | Name | Type | Meaning | Simulated signal |")
    w("|---|---|---|---|---|")
    for addr, name, typ, meaning, signal in REGISTERS:
        w(f"| 0x{addr:04X} | `{name}` | {typ} | {meaning} | {signal} |")
    w("")
    w("Types: " + ", ".join(f"{k} × {v}" for k, v in sorted(typed.items())) + ".")
    w(f"Address 0x{PULSE_REGISTER:04X} is read by the parameter page for the pulse (bit 8) and")
    w("direction (bit 9) lamps.")
    w("")
    w("### Alarm status")
    w("")
    w("`[ErrStuDefine]` names the three 32-bit alarm registers: `ErrStuReg1` = "
      f"0x{register_address(ALARM_REGISTERS[0]):04X}, `ErrStuReg2` = "
      f"0x{register_address(ALARM_REGISTERS[1]):04X}, `ErrStuReg3` = "
      f"0x{register_address(ALARM_REGISTERS[2]):04X}. Alarm code c is bit c − 1 of the first")
    w("register (c = 1 .. 32), bit c − 33 of the second (33 .. 64) and bit c − 65 of the third")
    w("(65 .. 96). Codes marked NC are unused and not listed by the alarm page.")
    w("")
    w("| Code | Register, bit | Name |")
    w("|---|---|---|")
    for code, name, _desc in model_alarms(model):
        reg = ALARM_REGISTERS[(code - 1) // 32]
        w(f"| Err{code:02d} | `{reg}` bit {(code - 1) % 32} | {name or 'NC'} |")
    w("")
    w("### I/O and status")
    w("")
    io = IO_DEFINITION
    w(f"- `{io['XReg']}` (0x{register_address(io['XReg']):04X}): input terminals, bit i = Xi (X0 .. X15).")
    w(f"- `{io['YReg']}` (0x{register_address(io['YReg']):04X}): output terminals, bit i = Yi (Y0 .. Y6).")
    w(f"- `{OUTPUT_STATUS_REGISTER}` (0x{register_address(OUTPUT_STATUS_REGISTER):04X}, `[SysReg]` "
      f"`OutStus`): bit 0 ready, bit 1 alarm, bit 2 in position, bit 3 speed reached, bit 4 zero "
      f"speed, bit 5 torque limited, bit {SERVO_ON_BIT} servo ON.")
    w(f"- 0x{PULSE_REGISTER:04X} `uPulseInStus`: bit 8 pulse input active, bit 9 direction input.")
    w("- Inversion groups (`[IODat]`): " + ", ".join(
        f"{k} = Pr{io[k]:02X}" for k in ("X0_4", "X5_9", "X10_14", "Y0_4", "Y5_9")) +
      "; one decimal digit per terminal, units digit first (0 .. 11111).")
    w("")
    w("### Oscilloscope and monitor")
    w("")
    w("User wave sources (`[WaveNN]`, in this order): " +
      ", ".join(f"{n} (`{r}`)" for n, r, *_ in WAVE_SOURCES) + ".")
    w("The motor-speed sources carry the names the integral traces look for:")
    w("`电机速度` / `iMotoSpRpm` and `电机参考速度` / `iMotorRefSp`.")
    w("")
    w(f"User monitor items: {len(USER_MONITORS)} (`[UserMonitorNN]`); administrator monitor items:"
      f" {len(ADMIN_MONITORS)} (`[WaveRegDefing]`). Every register name they use is in `[Register]`.")
    w("")
    w("### Calibration")
    w("")
    w("Zero-drift entries: " + "; ".join(
        f"{name}: Pr{pr:02X} from `{reg}`{' (administrator)' if perm == '2' else ''}"
        for _s, name, pr, reg, perm, _h in ZERO_ENTRIES) + ".")
    w("Voltage calibration: Pr04 zero point, Pr06 coefficient; the voltage AD value is `uBusVoltAd`")
    w("(0x6F1E) and the bus voltage `uBusVolt` (0x6F0A, 0.1 V).")
    w("The gain tool writes the motor inertia to Pr0E and the torque coefficient to Pr0F.")
    w("")
    w("### Encoder parameters")
    w("")
    w("`System/Encoder.ddt.txt` describes Pr190 .. Pr1A0, drive parameters that mirror the serial")
    w("encoder's own store (all 16-bit; Pr1A0 is the read-only encoder version, suggested value")
    w("0x0203). Suggested control codes: 0x50 copies the encoder store into RAM Pr190 .. Pr1A0,")
    w("0x51 copies RAM Pr190 .. Pr19F into the encoder store, 0x52 makes the store permanent in the")
    w("encoder's EEPROM. The RAM values start as the `DefultValue` of each entry.")
    w("")
    w("## Parameters")
    w("")
    w(f"{len(params)} parameters, Pr00 .. Pr{params[-1]['pr']:02X} in ascending order; "
      f"{len(admin)} of them are listed for the administrator only (level 2).")
    w("32-bit parameters keep their high word at Pr+1, which is therefore not a parameter of its own:")
    w(", ".join(f"Pr{e['pr']:02X} {e['name']} ({e['type']})" for e in p32) + ".")
    w("")
    w("Of note:")
    w("")
    w("- Pr04 / Pr06 voltage zero point and coefficient, Pr0A / Pr0B current zero offsets, Pr0C / Pr0D")
    w("  analogue input offsets (targets of the calibration tools).")
    w("- Pr80 .. Pr84 the five inversion groups; Pr70 .. Pr7F input and Pr86 .. Pr8C output functions")
    w("  (Pr8A / Pr8B = 7 make Y4 / Y5 iPLC outputs).")
    w("- PrB0 .. PrFF iPLC: system and origin search PrB0 .. PrBF, segment n at PrC0 + 8·(n − 1):")
    w("  control word, travel (Int32), torque %, run time, speed, acceleration, repeat count.")
    w("  Their names contain \"LPCM\"; the 16-bit ones without a fixed sign carry no type name.")
    w("- Pr11C, Pr11E (IQ24) and Pr12E (_IQ) are administrator parameters the parameter page does")
    w("  not read.")
    w("- Pr14F parameter table version (106).")
    w("- Barred from import (`[ProhibitedImportParameter]`): " +
      ", ".join(f"Pr{pr:02X}" for pr in NO_IMPORT) + ".")
    w("")
    w("Effect modes: 0 at once, 1 after power-up, 2 at the next servo ON; all three occur.")
    w("")
    return [line.rstrip() for line in out]


def main():
    for model in MODELS:
        write_text(f"Source/{model['file']}.txt", model_description(model))
    write_text("System/SysConfig.ddt.txt", system_description())
    write_text("System/Gain.ddt.txt", gain_file())
    write_text("System/Encoder.ddt.txt", encoder_file())
    write_text("Source/reg28xx.mit", register_file())
    write_text("DriType.dat", model_list())
    write_text("Config.ini", config_ini())
    for name, lines in help_pages.pages():
        write_text(f"Help/{name}", lines)
    (DEMO / "README.md").write_text("\n".join(readme()), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
