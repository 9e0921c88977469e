"""The small help set: an index page and one page per help topic of the program."""

# Topic file, title, paragraphs. The order is the program's topic table.
TOPICS = [
    ("introduction.htm", "软件简介",
     ["Tevra系列伺服监控软件用于通过串口连接单台Tevra系列交流伺服驱动器，"
      "进行参数设置、备份与导入，实时监视驱动器状态和报警，用软件示波器记录内部信号，"
      "配置iPLC内部定位，以及进行零漂校正等维护工作。"]),
    ("ready.htm", "使用前的准备",
     ["用RS485或RS232通信电缆连接计算机与驱动器的通信口，接通驱动器控制电源。",
      "确认驱动器的通信站号(Pr90)和波特率(Pr91)，在连接页面中选择相同的设置。"]),
    ("welcome_topic.htm", "欢迎使用",
     ["启动后软件自动以用户权限登录。按F6可显示权限密码输入框，输入管理员密码后可使用内部调试和开发员工具。"]),
    ("new_topic4.htm", "型号选择",
     ["在“型号选择”窗口中选择与所连接驱动器一致的型号，单击“确定”后参数、寄存器和报警资源将被更新。",
      "通信连接状态下不能切换型号，请先断开连接。"]),
    ("new_topic8.htm", "通信连接",
     ["选择串口、波特率和站号后单击“连 接”。所选设置无应答时，软件会自动搜索其他串口和波特率。",
      "连接成功后连接指示灯变为绿色，伺服信息栏显示驱动器的软件版本等信息。"]),
    ("new_topic5.htm", "参数设置",
     ["参数页面列出驱动器的全部参数。单击某一行，右侧显示该参数的范围、单位、出厂值、生效方式和说明。",
      "在“新值”框中输入十进制数值，选择写入RAM或EEPROM后单击“设置”。按F5刷新全部参数。"]),
    ("modifypara.htm", "修改参数",
     ["即时生效的参数写入RAM后立即起作用；上电生效的参数总是写入EEPROM，重新上电后才起作用。",
      "超出范围的数值不能写入。写入完成后软件会读回参数值以确认。"]),
    ("backuppara.htm", "备份参数",
     ["单击“备份参数”，输入备注并选择文件名，软件读取驱动器的全部参数并保存为*.dpm文件。"]),
    ("importpara.htm", "导入参数",
     ["单击“导入参数”并选择*.dpm文件。核对备份信息后单击“确定”，参数写入驱动器EEPROM并逐一校验，"
      "过程记录在Log\\LoadPara.log中。校正类参数不会被导入。导入的参数在驱动器重新上电后生效。"]),
    ("viewpara.htm", "查看参数",
     ["在未连接状态下单击“查看参数”，可以在参数表中查看*.dpm或*.dwt文件中保存的参数值。"]),
    ("xorio.htm", "输入输出逻辑取反",
     ["I/O面板上的勾选框对应输入X0～X14和输出Y0～Y6的逻辑取反设置，勾选后立即写入驱动器。",
      "也可以使用快捷键：Alt+数字键切换X0～X9，Shift+数字键切换X10～X15，Ctrl+数字键切换Y0～Y6。"]),
    ("runtip.htm", "运行提示",
     ["通信错误次数超过“选项”中设定的极限值时，软件自动断开连接，请检查电缆和通信设置后重新连接。"]),
    ("new_topic6.htm", "系统状态",
     ["“系统状态”窗口实时显示电机转速、转矩、母线电压、负载率等监视项目。"]),
    ("new_topic7.htm", "报警信息",
     ["“报警信息”窗口列出驱动器的全部报警代码，正在发生的报警以红色显示。主窗口的报警指示灯同时闪烁。"]),
    ("zero.htm", "零漂校正",
     ["在伺服OFF状态下选择要校正的项目并单击“校正”，软件采样100次并把平均值累加到对应的补偿参数。",
      "勾选“EEPROM”时新值同时写入EEPROM。"]),
    ("new_topic2.htm", "波形",
     ["波形页面最多同时记录4个通道。选择通道的信号源、量程和采样长度后单击运行开始收取波形。",
      "收取中不能切换页面，请先停止波形。"]),
    ("backupwve.htm", "保存波形",
     ["单击保存波形，输入备注后波形数据连同当前参数一起保存为*.dwt文件。"]),
    ("importwve.htm", "导入波形",
     ["选择*.dwt文件导入波形，导入后可以像收取的波形一样进行测量和计算。"]),
    ("trig.htm", "触发设置",
     ["选择触发通道、触发方式(上升沿或下降沿)，并拖动触发线设定触发电平。满足触发条件时波形停止收取。"]),
    ("fig.htm", "波形计算",
     ["打开测量线后，“计算”窗口显示两条测量线之间各通道的有效值、平均值、纹波、积分或振荡幅值与频率。"]),
    ("compare.htm", "比较波形",
     ["导入一个已保存的波形作为比较波形，与当前波形叠加显示，可以分别拖动。"]),
    ("integral.htm", "积分波形",
     ["选择要积分的通道，软件在测量线之间显示积分曲线。电机速度的积分以角度(°)表示。"]),
    ("bitmod.htm", "位方式波形",
     ["位方式把一个通道中选定的位显示为0/1波形，适合观察输入输出端子状态。"]),
    ("hotKey.htm", "快捷键",
     ["F1：帮助；F5：刷新参数；Ctrl+F：查找；Ctrl+Z：零漂校正；Ctrl+Shift+T：波形位移工具；"
      "Alt/Shift/Ctrl+数字键：切换输入输出逻辑取反。"]),
    ("findpara.htm", "查找参数",
     ["在参数表中按Ctrl+F打开查找窗口，输入参数名称中的文字，单击“查找”定位到下一个匹配的参数。"]),
]


def _page(title, body):
    lines = ["<!DOCTYPE html>", "<html>", "<head>",
             '<meta http-equiv="Content-Type" content="text/html; charset=gbk">',
             f"<title>{title}</title>", "</head>", "<body>", f"<h1>{title}</h1>"]
    lines += body
    lines += ['<p><a href="index.html">返回目录</a></p>', "</body>", "</html>"]
    return lines


def pages():
    out = []
    for name, title, paragraphs in TOPICS:
        out.append((name, _page(title, [f"<p>{p}</p>" for p in paragraphs])))
    index = ["<ul>"] + [f'<li><a href="{n}">{t}</a></li>' for n, t, _ in TOPICS] + ["</ul>"]
    lines = _page("Tevra系列伺服监控软件 帮助", index)
    lines.remove('<p><a href="index.html">返回目录</a></p>')
    out.append(("index.html", lines))
    return out
