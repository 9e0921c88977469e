"""Peripheral registers and firmware variables listed in Source/reg28xx.mit."""


def _block(title, base, names, comment):
    return title, [(f"{n}", base + i, comment(n)) for i, n in enumerate(names)]


def blocks():
    """Returns (title, [(name, address, comment)]) for every block of the register file."""
    out = []

    sys_names = ["SYS_CLKCFG", "SYS_PLLCFG", "SYS_PLLSTAT", "SYS_CLKDIV_HI", "SYS_CLKDIV_LO",
                 "SYS_PERCLK0", "SYS_PERCLK1", "SYS_PERCLK2", "SYS_LOWPWR", "SYS_RESETSRC",
                 "SYS_WDOG_CNT", "SYS_WDOG_KEY", "SYS_WDOG_CFG", "SYS_DEVID", "SYS_REVID"]
    sys_text = {"SYS_CLKCFG": "时钟源配置", "SYS_PLLCFG": "锁相环倍频配置",
                "SYS_PLLSTAT": "锁相环状态", "SYS_CLKDIV_HI": "高速外设时钟分频",
                "SYS_CLKDIV_LO": "低速外设时钟分频", "SYS_PERCLK0": "外设时钟使能0",
                "SYS_PERCLK1": "外设时钟使能1", "SYS_PERCLK2": "外设时钟使能2",
                "SYS_LOWPWR": "低功耗模式", "SYS_RESETSRC": "复位来源",
                "SYS_WDOG_CNT": "看门狗计数", "SYS_WDOG_KEY": "看门狗喂狗钥匙",
                "SYS_WDOG_CFG": "看门狗配置", "SYS_DEVID": "器件标识",
                "SYS_REVID": "器件版本"}
    out.append(_block("系统控制", 0x7010, sys_names, lambda n: sys_text[n]))

    gpio_regs = [("MODE0", "引脚功能选择0"), ("MODE1", "引脚功能选择1"), ("DIR", "方向"),
                 ("PULLUP", "上拉禁止"), ("FILT0", "输入滤波选择0"), ("FILT1", "输入滤波选择1"),
                 ("IN", "输入数据"), ("OUT", "输出数据"), ("SET", "输出置位"),
                 ("CLR", "输出清零"), ("TGL", "输出翻转")]
    for k, port in enumerate("ABC"):
        out.append((f"通用I/O端口{port}",
                    [(f"GP{port}_{r}", 0x6C00 + 0x20 * k + i, f"端口{port}{t}")
                     for i, (r, t) in enumerate(gpio_regs)]))

    pwm_regs = [("CFG", "配置"), ("STATUS", "状态"), ("PERIOD", "周期"), ("COUNT", "计数值"),
                ("PHASE", "相位"), ("DUTYA", "A通道比较值"), ("DUTYB", "B通道比较值"),
                ("DUTYCFG", "比较值装载方式"), ("OUTA", "A通道动作"), ("OUTB", "B通道动作"),
                ("FORCE", "软件强制输出"), ("DEADCFG", "死区配置"), ("DEADRISE", "上升沿死区"),
                ("DEADFALL", "下降沿死区"), ("FAULTSEL", "故障源选择"),
                ("FAULTACT", "故障时输出动作"), ("FAULTFLG", "故障标志"),
                ("FAULTCLR", "故障标志清除"), ("EVTSEL", "事件触发选择"),
                ("EVTDIV", "事件分频"), ("EVTFLG", "事件标志"), ("EVTCLR", "事件标志清除")]
    for k in range(1, 7):
        out.append((f"PWM单元{k}",
                    [(f"PWM{k}_{r}", 0x6800 + 0x40 * (k - 1) + i, f"PWM{k}{t}")
                     for i, (r, t) in enumerate(pwm_regs)]))

    adc = [("ADC_CFG0", "ADC配置0"), ("ADC_CFG1", "ADC配置1"), ("ADC_CFG2", "ADC配置2"),
           ("ADC_SEQLEN", "转换序列长度"), ("ADC_SEQSEL0", "序列通道选择0"),
           ("ADC_SEQSEL1", "序列通道选择1"), ("ADC_SEQSEL2", "序列通道选择2"),
           ("ADC_SEQSEL3", "序列通道选择3"), ("ADC_STATUS", "ADC状态"),
           ("ADC_REFCFG", "参考电压选择"), ("ADC_TRIM", "偏移微调")]
    adc += [(f"ADC_DATA{i}", f"转换结果{i}") for i in range(16)]
    out.append(("模数转换器", [(n, 0x7100 + i, t) for i, (n, t) in enumerate(adc)]))

    enc = [("ENC_CFG", "编码器接口配置"), ("ENC_CTRL", "编码器接口控制"),
           ("ENC_POSL", "位置计数低字"), ("ENC_POSH", "位置计数高字"),
           ("ENC_INITL", "位置初值低字"), ("ENC_INITH", "位置初值高字"),
           ("ENC_MAXL", "位置最大值低字"), ("ENC_MAXH", "位置最大值高字"),
           ("ENC_LATCHL", "Z相锁存低字"), ("ENC_LATCHH", "Z相锁存高字"),
           ("ENC_STATUS", "编码器接口状态"), ("ENC_TIMER", "测速定时器"),
           ("ENC_PERIOD", "测速周期"), ("ENC_IRQEN", "中断使能"), ("ENC_IRQFLG", "中断标志"),
           ("ENC_IRQCLR", "中断标志清除"), ("ENC_SERTX", "串行编码器发送"),
           ("ENC_SERRX0", "串行编码器接收0"), ("ENC_SERRX1", "串行编码器接收1"),
           ("ENC_SERRX2", "串行编码器接收2"), ("ENC_SERRX3", "串行编码器接收3")]
    out.append(("编码器接口", [(n, 0x6B00 + i, t) for i, (n, t) in enumerate(enc)]))

    uart = [("CFG", "帧格式"), ("CTRL", "控制1"), ("BAUDH", "波特率高字节"),
            ("BAUDL", "波特率低字节"), ("CTRL2", "控制2"), ("STAT", "接收状态"),
            ("RXEMU", "仿真接收缓冲"), ("RXDATA", "接收缓冲"), ("TXDATA", "发送缓冲"),
            ("TXFIFO", "发送FIFO"), ("RXFIFO", "接收FIFO"), ("FIFOCFG", "FIFO控制"),
            ("DBG", "调试控制")]
    for k, (port, base) in enumerate((("A", 0x7050), ("B", 0x7070))):
        out.append((f"串口{port}", [(f"UART{port}_{r}", base + i, f"串口{port}{t}")
                                   for i, (r, t) in enumerate(uart)]))

    spi = [("SPI_CFG", "SPI配置"), ("SPI_CTRL", "SPI控制"), ("SPI_STAT", "SPI状态"),
           ("SPI_BAUD", "SPI波特率"), ("SPI_RXEMU", "仿真接收缓冲"), ("SPI_RXDATA", "接收缓冲"),
           ("SPI_TXDATA", "发送缓冲"), ("SPI_DATA", "移位数据"), ("SPI_TXFIFO", "发送FIFO"),
           ("SPI_RXFIFO", "接收FIFO"), ("SPI_FIFOCFG", "FIFO控制")]
    out.append(("同步串口", [(n, 0x7040 + i, t) for i, (n, t) in enumerate(spi)]))

    tmr = [("CNTL", "计数低字"), ("CNTH", "计数高字"), ("PRDL", "周期低字"), ("PRDH", "周期高字"),
           ("CTRL", "控制"), ("PSCL", "预分频低字"), ("PSCH", "预分频高字")]
    for k in range(3):
        out.append((f"定时器{k}", [(f"TMR{k}_{r}", 0x0C00 + 8 * k + i, f"定时器{k}{t}")
                                  for i, (r, t) in enumerate(tmr)]))

    irq = [("IRQ_CTRL", "中断控制器配置"), ("IRQ_ACK", "中断应答")]
    irq += [(f"IRQ_EN{g}", f"第{g}组中断使能") for g in range(1, 13)]
    irq += [(f"IRQ_FLG{g}", f"第{g}组中断标志") for g in range(1, 13)]
    out.append(("中断控制器", [(n, 0x0CE0 + i, t) for i, (n, t) in enumerate(irq)]))

    variables = [
        ("g_uMainLoopCnt", "主循环计数"), ("g_uCurLoopTick", "电流环节拍"),
        ("g_uSpdLoopTick", "速度环节拍"), ("g_uPosLoopTick", "位置环节拍"),
        ("g_iSpdKp", "速度环比例系数"), ("g_iSpdKi", "速度环积分系数"),
        ("g_lSpdInteg", "速度环积分累加"), ("g_iPosKp", "位置环比例系数"),
        ("g_iCurKpD", "d轴电流环比例系数"), ("g_iCurKiD", "d轴电流环积分系数"),
        ("g_iCurKpQ", "q轴电流环比例系数"), ("g_iCurKiQ", "q轴电流环积分系数"),
        ("g_iCurRefD", "d轴电流指令"), ("g_iCurRefQ", "q轴电流指令"),
        ("g_iVoltRefD", "d轴电压指令"), ("g_iVoltRefQ", "q轴电压指令"),
        ("g_iVoltAlpha", "α轴电压"), ("g_iVoltBeta", "β轴电压"),
        ("g_uDutyU", "U相占空比"), ("g_uDutyV", "V相占空比"), ("g_uDutyW", "W相占空比"),
        ("g_uElecAngle", "电角度"), ("g_uMechAngle", "机械角度"),
        ("g_iSinTheta", "电角度正弦"), ("g_iCosTheta", "电角度余弦"),
        ("g_uAdcCurU", "U相电流采样"), ("g_uAdcCurV", "V相电流采样"),
        ("g_uAdcBus", "母线电压采样"), ("g_uAdcTemp", "温度采样"),
        ("g_uAdcAi1", "模拟输入1采样"), ("g_uAdcAi2", "模拟输入2采样"),
        ("g_uNotchCoef0", "陷波器系数0"), ("g_uNotchCoef1", "陷波器系数1"),
        ("g_uNotchCoef2", "陷波器系数2"), ("g_uNotchCoef3", "陷波器系数3"),
        ("g_uNotchCoef4", "陷波器系数4"), ("g_uFftPeakFreq", "共振检测峰值频率"),
        ("g_uFftPeakAmp", "共振检测峰值幅度"), ("g_uInertiaRaw", "惯量辨识中间值"),
        ("g_uEepromState", "EEPROM状态机"), ("g_uEepromAddr", "EEPROM当前地址"),
        ("g_uCommRxCnt", "通信接收字节计数"), ("g_uCommTxCnt", "通信发送字节计数"),
        ("g_uCommErrCnt", "通信错误计数"), ("g_uWaveState", "波形发送状态"),
        ("g_uWaveCount", "波形剩余点数"), ("g_uWaveSlot0", "波形通道0地址"),
        ("g_uWaveSlot1", "波形通道1地址"), ("g_uWaveSlot2", "波形通道2地址"),
        ("g_uWaveSlot3", "波形通道3地址"), ("g_uLedDigit", "面板显示缓冲"),
        ("g_uKeyState", "面板按键状态"), ("g_uFanPwm", "风扇调速占空比"),
        ("g_uBrakeState", "制动器状态"), ("g_uDbState", "动态制动状态"),
    ]
    out.append(("控制软件变量", [(n, 0x8000 + i, t) for i, (n, t) in enumerate(variables)]))
    return out
