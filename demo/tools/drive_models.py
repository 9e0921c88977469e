"""The demo drive family: three drive models, each sold with one motor of the gain table."""

# Motors of the gain table. Jr in 1e-7 kg*m^2, Kt in mNm/A, IN in 10 mA, nN in rpm, PN in W.
MOTORS = [
    dict(name="TSM_0200W_60", jr=180, kt=400, rated=160, speed=3000, power=200, enc=3,
         poles=5, res=3600, ld=620, lq=680, emf=27, torque=64, peak=191, maxspeed=6000,
         thermal=300),
    dict(name="TSM_0400W_60", jr=330, kt=455, rated=280, speed=3000, power=400, enc=3,
         poles=5, res=1800, ld=390, lq=420, emf=29, torque=127, peak=382, maxspeed=6000,
         thermal=420),
    dict(name="TSM_0750W_80", jr=1220, kt=531, rated=450, speed=3000, power=750, enc=3,
         poles=5, res=900, ld=310, lq=340, emf=33, torque=239, peak=716, maxspeed=5000,
         thermal=600),
]

# Drive models: the names in DriType.dat, the description files under Source/, the model code
# kept in Pr00, the motor delivered with the drive and the drive's own ratings.
MODELS = [
    dict(name="TVD-A02", file="TVD-A02.ddt", code=2, motor=MOTORS[0], motor_code=2060,
         max_current=600, regen_ohm=100, regen_watt=40, pwm=10, volt_coef=409,
         cur_kp=1450, cur_ki=210, bandwidth=2000, fan=False,
         info=dict(type="TVD-A02", use="GENERAL", version="V1.06", ident="TVDA02-2403",
                   note="TVDA-DSP-0106", serial=(0x2403, 0x0815), drive_info="TVD-A02-220V")),
    dict(name="TVD-A04", file="TVD-A04.ddt", code=4, motor=MOTORS[1], motor_code=4060,
         max_current=1000, regen_ohm=100, regen_watt=40, pwm=10, volt_coef=409,
         cur_kp=1200, cur_ki=180, bandwidth=2000, fan=False,
         info=dict(type="TVD-A04", use="GENERAL", version="V1.06", ident="TVDA04-2403",
                   note="TVDA-DSP-0106", serial=(0x2403, 0x1120), drive_info="TVD-A04-220V")),
    dict(name="TVD-A08", file="TVD-A08.ddt", code=8, motor=MOTORS[2], motor_code=7580,
         max_current=1600, regen_ohm=50, regen_watt=80, pwm=8, volt_coef=411,
         cur_kp=950, cur_ki=140, bandwidth=1800, fan=True,
         info=dict(type="TVD-A08", use="GENERAL", version="V1.06", ident="TVDA08-2403",
                   note="TVDA-DSP-0106", serial=(0x2403, 0x2046), drive_info="TVD-A08-220V")),
]

SELECTED_MODEL = 1  # index into MODELS of the model selected in DriType.dat
