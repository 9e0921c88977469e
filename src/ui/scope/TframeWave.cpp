#include "scope/TframeWave.h"

#include <QAbstractItemView>
#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>

#include "debug/DataTypeSelection.h"
#include "debug/TfrmDTSet.h"
#include "description/ProtectedTextFile.h"
#include "description/RegisterSection.h"
#include "description/SignalSections.h"
#include "scope/BitMode.h"
#include "scope/TfrmBitWvSet.h"
#include "scope/TfrmChnChse.h"
#include "scope/Trigger.h"
#include "scope/UpDown.h"
#include "scope/WaveColors.h"
#include "scope/WaveModel.h"
#include "scope/WavePlot.h"
#include "scope/WaveSettings.h"
#include "scope/display/MarkerLabel.h"
#include "shell/AppContext.h"
#include "shell/BalloonHint.h"
#include "shell/HelpTopics.h"
#include "shell/PollingScheduler.h"
#include "shell/TfrmTool.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"
#include "text/TextUtil.h"

namespace tevra {

namespace {

// Layout of the page, in pixels.
constexpr int kChannelBarHeight = 30;
constexpr int kPlotPanelTop = kChannelBarHeight + 2;
constexpr int kScrollHeight = 17;
constexpr int kPlotPanelHeight = WaveRenderer::kImageHeight + kScrollHeight + 5;
constexpr int kToolLeft = plot::kLeft + WaveRenderer::kImageWidth + 5 + 8;
constexpr int kToolWidth = 116;
constexpr int kStatusTop = kPlotPanelTop + kPlotPanelHeight + 2;
constexpr int kStatusHeight = 19;
constexpr int kMarkerWidth = 30;
constexpr int kMarkerHeight = 14;

// Message boxes when the program gave the page none (tools and tests without a shell).
class MessageBoxDialogs : public UserDialogs {
  public:
    void showMessage(const QString& text, const QString& caption, MessageIcon icon) override {
        QMessageBox box(icon == MessageIcon::Error     ? QMessageBox::Critical
                        : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                       : QMessageBox::Information,
                        caption, text);
        box.exec();
    }
    bool askYesNo(const QString& text, const QString& caption, MessageIcon) override {
        return QMessageBox::question(nullptr, caption, text) == QMessageBox::Yes;
    }
};

QToolButton* toolButton(const QString& name, const QString& text, QWidget* parent,
                        bool checkable = false) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setCheckable(checkable);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

QPushButton* pushButton(const QString& name, const QString& text, const QString& hint,
                        QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QLabel* statusPane(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setContentsMargins(3, 0, 3, 0);
    return l;
}

QWidget* statusBar(const QString& name, QWidget* parent, std::initializer_list<QLabel*> panes,
                   std::initializer_list<int> widths) {
    auto* bar = new QWidget(parent);
    bar->setObjectName(name);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    auto w = widths.begin();
    for (QLabel* pane : panes) {
        pane->setParent(bar);
        if (*w > 0) {
            pane->setFixedWidth(*w);
            row->addWidget(pane);
        } else {
            pane->setMinimumWidth(10);
            row->addWidget(pane, 1);
        }
        ++w;
    }
    return bar;
}

void setTextColor(QWidget* w, const QColor& color) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, color);
    pal.setColor(QPalette::ButtonText, color);
    w->setPalette(pal);
}

QFont smallFont(const QWidget* w) {
    QFont f = w->font();
    f.setPointSize(8);
    return f;
}

}  // namespace

TframeWave::TframeWave(AppContext& ctx, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      model_(std::make_unique<WaveModel>()),
      interaction_(*model_, [this](int y) { SetTriggerLevel(*model_, y); }),
      traces_(*model_) {
    setObjectName(QStringLiteral("frameWave"));
    dialogs_ = ctx_.dialogs;
    if (!dialogs_) {
        fallbackDialogs_ = std::make_unique<MessageBoxDialogs>();
        dialogs_ = fallbackDialogs_.get();
    }
    UserDialogs* dialogs = dialogs_;
    if (!ctx_.link) {
        ctx_.link = std::make_unique<DriveLink>(nullptr);
    }
    capture_ = std::make_unique<WaveCapture>(*model_, *ctx_.link, ctx_.CaptureRunning,
                                             static_cast<CaptureHost&>(*this), *dialogs, this);

    loadSources();
    LoadWaveSettings(*model_, ctx_.config);

    buildChannelBar();
    buildPlotPanel();
    buildToolColumn();
    buildStatusBars();
    buildPopupMenu();

    trigger_ = new TfrmChnChse(*model_, this);
    connect(trigger_, &TfrmChnChse::triggerChanged, this, [this] { redrawNow(); });
    connect(trigger_, &TfrmChnChse::confirmed, this, [this] {
        if (ctx_.scheduler) {
            ctx_.scheduler->setTimerEnabled(true);
        }
    });
    trigger_->onHelp = [this] {
        if (helpAction) {
            helpAction();
        }
    };
    bitWindow_ = new TfrmBitWvSet(*model_, *dialogs, this);
    connect(bitWindow_, &TfrmBitWvSet::bitModeChanged, this, [this] { redrawNow(); });
    bitWindow_->onHelp = trigger_->onHelp;
    bitWindow_->captureRunning = [this] { return capture_->isRunning(); };
    dtSet_ = new TfrmDTSet(this);
    dtSet_->balloon = [this](QWidget* control, const QString& text, const QString& title) {
        showBalloon(control, text, title, BalloonInfo);
    };
    helpAction = [this] {
        const HelpLaunchResult r = OpenHelpTopic(ctx_.folders, HelpTopic(15));
        if (!r.started) {
            dialogs_->showMessage(r.message, caption::information(), MessageIcon::Information);
        }
    };

    setMinimumSize(kToolLeft + kToolWidth, kStatusTop + 5 * kStatusHeight);
    applyModelToControls();
    interaction_.titleAllMarkers();
    texts_.updatePeriodicTexts(*model_, {});
    texts_.updateMeasureReadout(*model_);
    redrawNow();
    ctx_.settingsSavers.push_back([page = QPointer<TframeWave>(this)] {
        if (page) {
            page->SaveSettings();
        }
    });
}

TframeWave::~TframeWave() {
    if (capture_->isRunning()) {
        capture_->Stop();
        capture_->waitUntilFinished(5000);
    }
}

void TframeWave::loadSources() {
    if (auto regs = ReadRegisterSection(ctx_.modelLines); regs.ok()) {
        registers_.setRegisters(std::move(regs.value()));
    }
    if (!ctx_.AdministratorMode) {
        if (auto waves = ReadWaveSections(ctx_.folders, protected_file::kSystemDescription);
            waves.ok()) {
            waveEntries_ = std::move(waves.value());
        }
    }
    catalog_ = {ctx_.AdministratorMode, &waveEntries_, &registers_};
    fillWaveSources(*model_, waveSourceNames(catalog_));
}

// ---- layout -------------------------------------------------------------------------------

void TframeWave::buildChannelBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("pnlChannels"));
    bar->setGeometry(0, 0, kToolLeft + kToolWidth, kChannelBarHeight);
    const int labelWidth = 31;
    const int sourceWidth = 98;
    const int rangeWidth = 79;
    const int groupWidth = labelWidth + sourceWidth + 2 + rangeWidth + 16 + 2;
    for (int n = 0; n < 4; ++n) {
        const int x = plot::kLeft + n * groupWidth;
        auto* label = new QLabel(QStringLiteral("CH%1").arg(n + 1), bar);
        label->setObjectName(QStringLiteral("labChnName1_%1").arg(n + 1));
        label->setGeometry(x, 6, labelWidth, 18);
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
        labChannel_[n] = label;

        auto* source = new QComboBox(bar);
        source->setObjectName(QStringLiteral("cmbWve1_%1").arg(n + 1));
        source->setGeometry(x + labelWidth, 4, sourceWidth, 22);
        source->addItems(model_->SourceItems);
        source->setMaxVisibleItems(24);
        // Register names can be long: the list opens wider than the box.
        source->view()->setMinimumWidth(ctx_.AdministratorMode ? 260 : 160);
        source->setToolTip(ctx_.AdministratorMode ? QStringLiteral("DSP变量")
                                                  : QStringLiteral("波形源"));
        connect(source, &QComboBox::currentIndexChanged, this, [this, n](int index) {
            if (updating_ || index < 0) {
                return;
            }
            model_->Channels[n].SourceIndex = index;
            if (!dataTypesSetByHand(ctx_.config)) {
                if (auto code = automaticSampleType(
                        declaredSourceType(cmbWve_[n]->currentText(), catalog_))) {
                    model_->Channels[n].SampleType = *code;
                }
            }
        });
        cmbWve_[n] = source;

        auto* range = new QComboBox(bar);
        range->setObjectName(QStringLiteral("cmbRage1_%1").arg(n + 1));
        range->setGeometry(x + labelWidth + sourceWidth + 2, 4, rangeWidth, 22);
        range->addItems(model_->RangeItems);
        range->setToolTip(QStringLiteral("量程/格"));
        connect(range, &QComboBox::currentIndexChanged, this, [this, n](int index) {
            if (!updating_) {
                rangeChosen(n, index);
            }
        });
        cmbRage_[n] = range;

        auto* ud = new UpDown(0, std::max<int>(0, model_->RangeItems.size() - 1), bar);
        ud->setObjectName(QStringLiteral("udRage1_%1").arg(n + 1));
        ud->move(x + labelWidth + sourceWidth + 2 + rangeWidth, 5);
        connect(ud, &UpDown::clicked, this, [this, n](int position) {
            if (position >= 0) {
                updating_ = true;
                cmbRage_[n]->setCurrentIndex(position);
                updating_ = false;
                rangeChosen(n, position);
            }
        });
        udRage_[n] = ud;
    }
}

void TframeWave::buildPlotPanel() {
    plotPanel_ = new QWidget(this);
    plotPanel_->setObjectName(QStringLiteral("pnlWave"));
    plotPanel_->setGeometry(0, kPlotPanelTop, kToolLeft - 4, kPlotPanelHeight);

    auto border = [this](const char* name, int x, int y, int w, int h) {
        auto* p = new QFrame(plotPanel_);
        p->setObjectName(QString::fromLatin1(name));
        p->setFrameShape(QFrame::Panel);
        p->setFrameShadow(QFrame::Raised);
        p->setGeometry(x, y, w, h);
    };
    border("pnlLeft", plot::kLeft - 5, 0, 5, 522);
    border("pnlRight", plot::kLeft + WaveRenderer::kImageWidth, 0, 5, 522);

    pbWave_ = new WavePlot(plotPanel_);
    pbWave_->move(plot::kLeft, 0);
    pbWave_->setImage(&renderer_.image());
    connect(pbWave_, &WavePlot::mousePressed, this, &TframeWave::plotPressed);
    connect(pbWave_, &WavePlot::mouseMoved, this, &TframeWave::plotMoved);
    connect(pbWave_, &WavePlot::mouseReleased, this, &TframeWave::plotReleased);

    scroll_ = new QScrollBar(Qt::Horizontal, plotPanel_);
    scroll_->setObjectName(QStringLiteral("ScroBarWaveFre"));
    scroll_->setRange(0, plot::kScrollMax);
    scroll_->setGeometry(plot::kLeft - 2, WaveRenderer::kImageHeight, 805, kScrollHeight);
    connect(scroll_, &QScrollBar::valueChanged, this, &TframeWave::scrollMoved);
    border("pnlLow", plot::kLeft - 2, WaveRenderer::kImageHeight + kScrollHeight, 804, 5);

    auto marker = [this](const QString& name, int left) {
        auto* l = new QLabel(plotPanel_);
        l->setObjectName(name);
        l->setGeometry(left, plot::kHidden, kMarkerWidth, kMarkerHeight);
        l->setFont(smallFont(l));
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
        l->hide();
        return l;
    };
    for (int n = 0; n < 4; ++n) {
        labWavRef_[n] = marker(QStringLiteral("labWavRef1_%1").arg(n + 1), 10);
        labcWavRef_[n] = marker(QStringLiteral("labcWavRef1_%1").arg(n + 1), 0);
        labcWavRef_[n]->setAutoFillBackground(true);
        labIWavRef_[n] = marker(QStringLiteral("labIWavRef1_%1").arg(n + 1), 5);
        labDWavRef_[n] = marker(QStringLiteral("labDWavRef1_%1").arg(n + 1), 5);
    }
    triggerLabel_ = marker(QStringLiteral("TriggerLabel"), 7);
    triggerLabel_->setText(QStringLiteral(" T->"));
    setTextColor(triggerLabel_, wave_colors::trigger());
    myLabel_ = marker(QStringLiteral("MYlab"), 7);
    my2Label_ = marker(QStringLiteral("MY2lab"), 7);
    for (QLabel* l : {myLabel_, my2Label_}) {
        l->setText(QStringLiteral("m->"));
        setTextColor(l, wave_colors::measure());
    }
}

void TframeWave::buildToolColumn() {
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("pnlTools"));
    column->setGeometry(kToolLeft, kPlotPanelTop, kToolWidth, kPlotPanelHeight);

    // Capture length and timing.
    auto* lengthGroup = new QGroupBox(QStringLiteral("采样长度"), column);
    lengthGroup->setObjectName(QStringLiteral("grpbxLength"));
    lengthGroup->setGeometry(0, 0, kToolWidth, 96);
    cmbWaveLength_ = new QComboBox(lengthGroup);
    cmbWaveLength_->setObjectName(QStringLiteral("cmbWaveLength"));
    cmbWaveLength_->setGeometry(6, 20, kToolWidth - 30, 22);
    cmbWaveLength_->addItems(model_->LengthItems);
    connect(cmbWaveLength_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!updating_ && index >= 0) {
            lengthChosen(index);
        }
    });
    udWaveLength_ = new UpDown(0, kLengthItems, lengthGroup);
    udWaveLength_->setObjectName(QStringLiteral("udWaveLength"));
    udWaveLength_->move(kToolWidth - 22, 21);
    connect(udWaveLength_, &UpDown::clicked, this, [this](int position) {
        const int index = std::min(position, kLengthItems - 1);
        updating_ = true;
        cmbWaveLength_->setCurrentIndex(index);
        updating_ = false;
        lengthChosen(index);
    });
    auto timing = [&](const QString& caption, const char* name, int y) {
        auto* c = new QLabel(caption, lengthGroup);
        c->setGeometry(6, y, 58, 16);
        auto* v = new QLabel(QStringLiteral("0.00"), lengthGroup);
        v->setObjectName(QString::fromLatin1(name));
        v->setGeometry(64, y, kToolWidth - 68, 16);
        return v;
    };
    eachDotTime_ = timing(QStringLiteral("周期(mS):"), "EachDotTimeLab", 50);
    totalTime_ = timing(QStringLiteral("总时(mS):"), "TalDotTimeLab", 70);

    // Capture and analysis buttons.
    auto* tools = new QGroupBox(column);
    tools->setObjectName(QStringLiteral("grpbxTool"));
    tools->setGeometry(0, 100, kToolWidth, 134);
    const int bw = (kToolWidth - 12) / 2;
    auto place = [&](QWidget* w, int row, int col) {
        w->setGeometry(4 + col * (bw + 4), 8 + row * 25, bw, 23);
    };
    runButton_ = pushButton("RunWaveBut", QStringLiteral("运行 &R"), QStringLiteral("运行"), tools);
    stopButton_ = pushButton("StopWave", QStringLiteral("停止 &H"), QStringLiteral("停止"), tools);
    auto* channelButton =
        pushButton("btnChannel", QStringLiteral("触发 &T"), QStringLiteral("触发"), tools);
    auto* bitButton =
        pushButton("btnBitWave", QStringLiteral("位   &B"), QStringLiteral("选择位模式"), tools);
    auto* save = pushButton("SaveWaveBtn", QStringLiteral(" 保存 &S"),
                            QStringLiteral("保存波形数据 Alt+S "), tools);
    auto* import = pushButton("ImportWaveBtn", QStringLiteral("导入 &L"),
                              QStringLiteral("导入波形数据 Alt+L"), tools);
    auto* compare = pushButton("btnCompare", QStringLiteral("比较 &C"),
                               QStringLiteral("导入对比波形 Alt+C"), tools);
    auto* integral = pushButton("btnInteg", QStringLiteral("积分 &I"),
                                QStringLiteral("选择积分波形通道 Alt+I "), tools);
    auto* figure = pushButton("btnFigure", QStringLiteral("计算 &F"),
                              QStringLiteral("波形间距数值计算 Alt+F"), tools);
    measureButton_ =
        toolButton(QStringLiteral("MeasuSpbtn"), QStringLiteral("测量线"), tools, true);
    measureButton_->setToolTip(QStringLiteral("激活/隐藏测量线"));
    place(runButton_, 0, 0);
    place(stopButton_, 0, 1);
    place(channelButton, 1, 0);
    place(bitButton, 1, 1);
    place(measureButton_, 2, 0);
    place(figure, 2, 1);
    place(save, 3, 0);
    place(import, 3, 1);
    place(compare, 4, 0);
    place(integral, 4, 1);
    for (QPushButton* later : {save, import, compare, integral, figure}) {
        later->setEnabled(false);
    }
    stopButton_->setEnabled(false);
    connect(runButton_, &QPushButton::clicked, this, &TframeWave::RunWaveClick);
    connect(stopButton_, &QPushButton::clicked, this, &TframeWave::StopWaveClick);
    connect(channelButton, &QPushButton::clicked, this, [this] { trigger_->showWindow(); });
    connect(bitButton, &QPushButton::clicked, this, [this] {
        bitWindow_->loadFromModel();
        bitWindow_->exec();
    });
    connect(measureButton_, &QToolButton::clicked, this, [this](bool on) { setMeasureLines(on); });

    // Channel on/off, inversion and data type.
    auto* onOff = new QGroupBox(column);
    onOff->setObjectName(QStringLiteral("pnlOnOff"));
    onOff->setGeometry(0, 236, kToolWidth, 104);
    const int cw = (kToolWidth - 8) / 4;
    for (int n = 0; n < 4; ++n) {
        const QString digit = QString::number(n + 1);
        auto* on =
            toolButton(QStringLiteral("labCh1_%1ON").arg(digit), QStringLiteral("ON"), onOff, true);
        auto* off = toolButton(QStringLiteral("labCh1_%1OFF").arg(digit), QStringLiteral("OFF"),
                               onOff, true);
        auto* inv = toolButton(QStringLiteral("labCh1_%1INV").arg(digit), QStringLiteral("INV"),
                               onOff, true);
        auto* type =
            toolButton(QStringLiteral("labCh1_%1Type").arg(digit), QStringLiteral("DT"), onOff);
        on->setToolTip(QStringLiteral("打开通道%1").arg(digit));
        off->setToolTip(QStringLiteral("关闭通道%1").arg(digit));
        inv->setToolTip(QStringLiteral("通道%1反向").arg(digit));
        type->setToolTip(QStringLiteral("通道%1数据类型").arg(digit));
        for (QToolButton* b : {on, off, inv, type}) {
            b->setFont(smallFont(b));
        }
        const int y = 8 + n * 24;
        on->setGeometry(4, y, cw, 22);
        off->setGeometry(4 + cw, y, cw, 22);
        inv->setGeometry(4 + 2 * cw, y, cw, 22);
        type->setGeometry(4 + 3 * cw, y, cw, 22);
        connect(on, &QToolButton::clicked, this, [this, n] { setChannelOn(n, true); });
        connect(off, &QToolButton::clicked, this, [this, n] { setChannelOn(n, false); });
        connect(inv, &QToolButton::clicked, this, [this, n](bool v) { setInverted(n, v); });
        connect(type, &QToolButton::clicked, this, [this, n] { openDataTypeDialog(n); });
        onButtons_[n] = on;
        offButtons_[n] = off;
        invButtons_[n] = inv;
        typeButtons_[n] = type;
    }

    // Values per division, time per division and the shift up-downs.
    auto* scales = new QGroupBox(column);
    scales->setObjectName(QStringLiteral("pnlChnSet"));
    scales->setGeometry(0, 342, kToolWidth, kPlotPanelHeight - 342);
    for (int n = 0; n < 4; ++n) {
        auto* l = new QLabel(scales);
        l->setObjectName(QStringLiteral("labCh1_%1").arg(n + 1));
        l->setGeometry(6, 6 + n * 16, kToolWidth - 12, 16);
        l->setFont(smallFont(l));
        labCh_[n] = l;
    }
    labM_ = new QLabel(scales);
    labM_->setObjectName(QStringLiteral("labM"));
    labM_->setGeometry(6, 6 + 4 * 16, kToolWidth - 12, 16);
    labM_->setFont(smallFont(labM_));
    setTextColor(labM_, wave_colors::mouseAxis());

    auto* move = new QGroupBox(QStringLiteral("移动通道"), scales);
    move->setObjectName(QStringLiteral("grpbxMove"));
    move->setGeometry(4, 92, kToolWidth - 8, 100);
    for (int n = 0; n < 4; ++n) {
        const int x = 4 + n * 27;
        auto* l = new QLabel(QStringLiteral("CH%1").arg(n + 1), move);
        l->setObjectName(QStringLiteral("labMVCH1_%1").arg(n + 1));
        l->setGeometry(x, 22, 26, 16);
        l->setFont(smallFont(l));
        labMVCH_[n] = l;
        // The up arrow moves the trace up the screen.
        auto* ud = new UpDown(-800, 800, move, -1);
        ud->setObjectName(QStringLiteral("updnCH1_%1").arg(n + 1));
        ud->setToolTip(QStringLiteral("波形1.%1Y轴移动通道").arg(n + 1));
        ud->move(x + 3, 42);
        connect(ud, &UpDown::clicked, this, [this, n](int position) {
            afterInteraction(interaction_.shiftChanged(n, position));
        });
        updnCH_[n] = ud;
    }
}

void TframeWave::buildStatusBars() {
    stapanGrnMTm_ = statusPane(QStringLiteral("stapanGrnMTm"), {}, this);
    stapanrWveDat_ = statusPane(QStringLiteral("stapanrWveDat"), {}, this);
    stapanTrgMod_ = statusPane(QStringLiteral("stapanTrgMod"), model_->Trigger.StatusText, this);
    stapanMWveDat_ = statusPane(QStringLiteral("stapanMWveDat"), {}, this);
    stapanIntTm_ = statusPane(QStringLiteral("stapanIntTm"), texts_.stapanIntTm, this);
    stapanImWveNm_ = statusPane(QStringLiteral("stapanImWveNm"), {}, this);
    stapanImFleNm_ = statusPane(QStringLiteral("stapanImFleNm"), {}, this);
    stapancWveNm_ = statusPane(QStringLiteral("stapancWveNm"), {}, this);
    stapancWveDat_ = statusPane(QStringLiteral("stapancWveDat"), {}, this);
    stapanIntDat_ = statusPane(QStringLiteral("stapanIntDat"), {}, this);
    stapancWveFleNm_ = statusPane(QStringLiteral("stapancWveFleNm"), {}, this);
    QWidget* bars[] = {
        statusBar(QStringLiteral("sbarWaveData"), this,
                  {stapanGrnMTm_, stapanrWveDat_, stapanTrgMod_}, {110, 0, 170}),
        statusBar(QStringLiteral("sbarMeasureWave"), this, {stapanMWveDat_, stapanIntTm_},
                  {0, 200}),
        statusBar(QStringLiteral("sbarImptWave"), this, {stapanImWveNm_, stapanImFleNm_}, {0, 320}),
        statusBar(QStringLiteral("sbarCompWave"), this, {stapancWveNm_, stapancWveDat_}, {320, 0}),
        statusBar(QStringLiteral("sbarIntegWave"), this, {stapanIntDat_, stapancWveFleNm_},
                  {0, 320}),
    };
    for (int k = 0; k < 5; ++k) {
        bars[k]->setGeometry(0, kStatusTop + k * kStatusHeight, kToolLeft + kToolWidth,
                             kStatusHeight - 1);
        statusBars_[k] = bars[k];
    }
}

void TframeWave::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The status bars take the page's full width.
    for (QWidget* bar : statusBars_) {
        if (bar) {
            bar->resize(width(), bar->height());
        }
    }
}

void TframeWave::buildPopupMenu() {
    pmWave_ = new QMenu(this);
    pmWave_->setObjectName(QStringLiteral("pmWave"));
    auto item = [this](QMenu* menu, const char* name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    pmiRunWave_ = item(pmWave_, "pmiRunWave", QStringLiteral("运行&"));
    connect(pmiRunWave_, &QAction::triggered, this, &TframeWave::RunWaveClick);
    pmWave_->addSeparator();
    pmiMeasure_ = item(pmWave_, "pmiMeasure", QStringLiteral("激活/隐藏测量线&"));
    pmiMeasure_->setCheckable(true);
    connect(pmiMeasure_, &QAction::triggered, this, [this](bool on) { setMeasureLines(on); });
    QAction* bit = item(pmWave_, "pmiBitWave", QStringLiteral("位方式&"));
    connect(bit, &QAction::triggered, this, [this] {
        bitWindow_->loadFromModel();
        bitWindow_->exec();
    });
    QAction* bitOff = item(pmWave_, "pmiExitBitWave", QStringLiteral("退出位模式&"));
    connect(bitOff, &QAction::triggered, this, [this] { bitWindow_->cancelBitMode(); });
    pmWave_->addSeparator();
    for (int n = 0; n < 4; ++n) {
        QAction* inv = pmWave_->addAction(QStringLiteral("CH%1反向&").arg(n + 1));
        inv->setObjectName(QStringLiteral("pmirWaveInv1_%1").arg(n + 1));
        inv->setCheckable(true);
        connect(inv, &QAction::triggered, this,
                [this, n] { setInverted(n, !model_->Channels[n].Inverted); });
        pmirWaveInv_[n] = inv;
    }
    pmWave_->addSeparator();
    for (const auto& [name, text] : {std::pair{"pmiCompare", QStringLiteral("比较&")},
                                     std::pair{"pmiExitCompare", QStringLiteral("退出比较模式&")},
                                     std::pair{"pmiInteg", QStringLiteral("积分&")},
                                     std::pair{"pmiExitInteg", QStringLiteral("退出积分模式&")}}) {
        item(pmWave_, name, text)->setEnabled(false);
    }
    pmWave_->addSeparator();
    QAction* board = item(pmWave_, "pmiBoardColor", QStringLiteral("画板颜色&"));
    connect(board, &QAction::triggered, this, [this] { chooseColor(model_->BoardColor); });
    QMenu* received = pmWave_->addMenu(QStringLiteral("接收波形&"));
    received->setObjectName(QStringLiteral("pmiReceiveColor"));
    QMenu* compare = pmWave_->addMenu(QStringLiteral("比较波形&"));
    compare->setObjectName(QStringLiteral("pmiCompareColor"));
    for (int n = 0; n < 4; ++n) {
        QAction* r = received->addAction(QStringLiteral("CH%1&").arg(n + 1));
        r->setObjectName(QStringLiteral("pmiWveClr1_%1").arg(n + 1));
        connect(r, &QAction::triggered, this,
                [this, n] { chooseColor(model_->Channels[n].Color); });
        QAction* c = compare->addAction(QStringLiteral("CH%1&").arg(n + 1));
        c->setObjectName(QStringLiteral("pmicWveClr1_%1").arg(n + 1));
        connect(c, &QAction::triggered, this, [this, n] { chooseColor(model_->Compare[n].Color); });
    }
}

void TframeWave::applyModelToControls() {
    updating_ = true;
    for (int n = 0; n < 4; ++n) {
        const WaveChannel& ch = model_->Channels[n];
        cmbWve_[n]->setCurrentIndex(ch.SourceIndex);
        cmbRage_[n]->setCurrentIndex(ch.RangeIndex);
        udRage_[n]->setPosition(std::max(0, ch.RangeIndex));
        updnCH_[n]->setPosition(ch.ChannelShift);
        const bool on = ch.isOn();
        onButtons_[n]->setChecked(on);
        offButtons_[n]->setChecked(!on);
        invButtons_[n]->setChecked(ch.Inverted);
        pmirWaveInv_[n]->setChecked(ch.Inverted);
        invButtons_[n]->setEnabled(on);
        typeButtons_[n]->setEnabled(on);
        updnCH_[n]->setEnabled(on);
        labMVCH_[n]->setEnabled(on);
        const QColor color = toQColor(ch.Color);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 labChannel_[n], labCh_[n], onButtons_[n], offButtons_[n], invButtons_[n],
                 typeButtons_[n], labMVCH_[n], labWavRef_[n]}) {
            setTextColor(w, color);
        }
        QPalette pal = labcWavRef_[n]->palette();
        pal.setColor(QPalette::Window, toQColor(model_->Compare[n].Color));
        labcWavRef_[n]->setPalette(pal);
    }
    cmbWaveLength_->setCurrentIndex(model_->LengthIndex);
    udWaveLength_->setPosition(model_->LengthIndex);
    measureButton_->setChecked(model_->MeasureLinesOn);
    pmiMeasure_->setChecked(model_->MeasureLinesOn);
    updating_ = false;
}

// ---- periodic work and drawing -------------------------------------------------------------

WaveShiftMode TframeWave::shiftMode() const {
    if (!shiftTool_) {
        return WaveShiftMode::Both;
    }
    switch (shiftTool_->mode()) {
        case TfrmTool::ShiftMode::CompareOnly:
            return WaveShiftMode::CompareOnly;
        case TfrmTool::ShiftMode::ReceivedOnly:
            return WaveShiftMode::ReceivedOnly;
        case TfrmTool::ShiftMode::Unrestricted:
            break;
    }
    return WaveShiftMode::Both;
}

PlotContext TframeWave::plotContext() const {
    return {capture_->isRunning(), capture_->CompareHidden.load()};
}

void TframeWave::RefreshWave() {
    QStringList sources;
    for (QComboBox* c : cmbWve_) {
        sources << c->currentText();
    }
    texts_.updatePeriodicTexts(*model_, sources);
    if (!capture_->isRunning()) {
        refreshBitMode(*model_);
        const bool anyReceived = model_->anyChannelOn();
        if (!anyReceived) {
            texts_.stapanrWveDat.clear();
        }
    }
    redrawNow();
}

void TframeWave::redrawNow() {
    const PlotContext context = plotContext();
    const WaveShiftMode mode = shiftMode();
    int columns = plot::kWidth;
    bool axisColumnArrived = true;
    if (context.captureRunning) {
        // During the first record only the columns that have arrived hold this capture's
        // samples; later records overwrite the previous one column by column.
        const CaptureProgress progress = capture_->progress();
        if (progress.Record <= 1) {
            columns = std::min(plot::kWidth, progress.Samples / std::max(1, model_->ScreenCount));
            axisColumnArrived = model_->MouseAxistX < columns;
        }
    }
    const bool withCompare = model_->WaveModeFlags[1] && !context.compareHidden;
    traces_.compute(0, plot::kColumns - 1, mode, withCompare);
    if (axisColumnArrived) {
        texts_.updateAxisReadouts(*model_, traces_, mode, context.captureRunning);
    }
    if (!model_->anyChannelOn()) {
        texts_.stapanrWveDat.clear();
    }
    interaction_.keepZeroLevelBackups();
    // Drawing the mouse axis lets the scheduler tick again (during a capture its ticks
    // only blink the link lamps).
    if (ctx_.scheduler) {
        ctx_.scheduler->setTimerEnabled(true);
    }
    renderer_.render(*model_, traces_, interaction_, context, columns);
    pbWave_->update();
    placeMarkers();
    showTexts();
}

void TframeWave::placeMarkers() {
    const PlotContext context = plotContext();
    // The plot sits at the top of its panel; the marker rule places labels for a plot two
    // pixels higher.
    auto place = [](QLabel* label, bool shown, int level, const QString& caption) {
        if (!shown) {
            label->hide();
            return;
        }
        label->setText(caption);
        label->move(label->x(), plot::markerTop(level, kMarkerHeight) - plot::kTop);
        label->show();
    };
    auto cursorFor = [this](PlotObject kind, int n) {
        return interaction_.isGrabbed(kind, n) ? Qt::SizeVerCursor : Qt::PointingHandCursor;
    };
    for (int n = 0; n < 4; ++n) {
        place(labWavRef_[n], interaction_.receivedShown(n), interaction_.receivedLevel(n),
              interaction_.receivedCaption(n));
        labWavRef_[n]->setCursor(cursorFor(PlotObject::ReceivedZero, n));
        place(labcWavRef_[n], interaction_.compareShown(n, context), interaction_.compareLevel(n),
              interaction_.compareCaption(n));
        labcWavRef_[n]->setCursor(cursorFor(PlotObject::CompareZero, n));
        place(labIWavRef_[n], interaction_.integralShown(n), model_->Integral[n].ZeroLine,
              interaction_.integralCaption(n));
        place(labDWavRef_[n], interaction_.derivativeShown(n), model_->Derivative[n].ZeroLine,
              interaction_.derivativeCaption(n));
    }
    place(triggerLabel_, interaction_.triggerShown(), model_->Trigger.TriggerLevel,
          QStringLiteral(" T->"));
    triggerLabel_->setCursor(cursorFor(PlotObject::TriggerLevel, 0));
    place(myLabel_, model_->MeasureLinesOn, model_->my1, QStringLiteral("m->"));
    place(my2Label_, model_->MeasureLinesOn, model_->my2, QStringLiteral("m->"));
}

void TframeWave::showTexts() {
    stapanGrnMTm_->setText(texts_.stapanGrnMTm);
    stapanrWveDat_->setText(texts_.stapanrWveDat);
    stapanTrgMod_->setText(model_->Trigger.StatusText);
    stapanMWveDat_->setText(texts_.stapanMWveDat);
    stapanIntTm_->setText(texts_.stapanIntTm);
    stapanImWveNm_->setText(texts_.stapanImWveNm);
    stapanImFleNm_->setText(texts_.stapanImFleNm);
    stapancWveNm_->setText(texts_.stapancWveNm);
    stapancWveDat_->setText(texts_.stapancWveDat);
    stapanIntDat_->setText(texts_.stapanIntDat);
    stapancWveFleNm_->setText(texts_.stapancWveFleNm);
    if (texts_.labM.isEmpty()) {
        texts_.updateChannelLabels(*model_);
    }
    for (int n = 0; n < 4; ++n) {
        labCh_[n]->setText(texts_.channelScale[n]);
    }
    labM_->setText(texts_.labM);
}

// ---- capture --------------------------------------------------------------------------------

void TframeWave::setRunButtons(bool running) {
    runButton_->setEnabled(!running);
    pmiRunWave_->setEnabled(!running);
    stopButton_->setEnabled(running);
}

void TframeWave::RunWaveClick() {
    if (capture_->isRunning()) {
        return;
    }
    if (!ctx_.link->isConnected() || !model_->anyChannelOn()) {
        capture_->Run(catalog_);  // shows why nothing starts
        return;
    }
    // A capture moves both waves together from the start of the record.
    if (shiftTool_) {
        shiftTool_->setMode(TfrmTool::ShiftMode::Unrestricted);
    }
    updating_ = true;
    scroll_->setValue(0);
    updating_ = false;
    if (capture_->Run(catalog_) == RunOutcome::Started) {
        setRunButtons(true);
        redrawNow();
    }
}

void TframeWave::StopWaveClick() {
    capture_->Stop();
    setRunButtons(false);
}

void TframeWave::applyInversionKeys(uint32_t keys) {
    if (inversionKeyAction) {
        inversionKeyAction(keys);
    }
}

void TframeWave::showTiming(const QString& eachDotTimeText, const QString& totalTimeText) {
    eachDotTime_->setText(eachDotTimeText);
    totalTime_->setText(totalTimeText);
}

void TframeWave::disconnectLink() {
    if (disconnectAction) {
        disconnectAction();
        return;
    }
    // The connection page's button disconnects as the user would.
    auto* linkButton = window()->findChild<QPushButton*>(QStringLiteral("LinkBut"));
    if (linkButton && ctx_.link->isConnected()) {
        linkButton->click();
    }
    ctx_.link->setConnected(false);
}

void TframeWave::captureStopped() {
    setRunButtons(false);
}

void TframeWave::triggerFired() {
    runButton_->setEnabled(true);
    pmiRunWave_->setEnabled(true);
    stapanTrgMod_->setText(model_->Trigger.StatusText);
}

void TframeWave::captureFinished() {
    setRunButtons(false);
    bitWindow_->captureEnded();
    texts_.updateAxisReadouts(*model_, traces_, shiftMode(), false);
    redrawNow();
}

// ---- channel controls -----------------------------------------------------------------------

void TframeWave::setChannelOn(int channel, bool on) {
    if (on != model_->Channels[channel].isOn()) {
        interaction_.setChannelOn(channel, on);
    }
    applyModelToControls();
    texts_.updateMeasureReadout(*model_);
    redrawNow();
}

void TframeWave::setInverted(int channel, bool inverted) {
    model_->Channels[channel].Inverted = inverted;
    applyModelToControls();
    redrawNow();
}

void TframeWave::rangeChosen(int channel, int index) {
    if (index < 0 || SetRange(*model_, channel, index, ctx_.config) == SetRangeResult::Refused) {
        showBalloon(cmbRage_[channel], rangeErrorText(), caption::error(), BalloonError);
        updating_ = true;
        cmbRage_[channel]->setCurrentIndex(model_->Channels[channel].RangeIndex);
        updating_ = false;
        return;
    }
    udRage_[channel]->setPosition(index);
    SetTriggerLevel(*model_, model_->Trigger.TriggerLevel);
    trigger_->refreshThreshold();
    texts_.updateChannelLabels(*model_);
    texts_.updateMeasureReadout(*model_);
    redrawNow();
}

void TframeWave::lengthChosen(int index) {
    SetLength(*model_, index, ctx_.config);
    udWaveLength_->setPosition(model_->LengthIndex);
    scrollMoved(scroll_->value());
}

void TframeWave::scrollMoved(int position) {
    scroll_->setToolTip(QString::number(position));
    model_->ScrollOffset = plot::scrollOffsetFor(position, model_->LengthIndex);
    if (!updating_) {
        redrawNow();
    }
}

void TframeWave::setMeasureLines(bool on) {
    model_->MeasureLinesOn = on;
    measureButton_->setChecked(on);
    pmiMeasure_->setChecked(on);
    redrawNow();
}

void TframeWave::chooseColor(int32_t& color) {
    const QColor chosen = QColorDialog::getColor(toQColor(color), this);
    if (chosen.isValid()) {
        color = fromQColor(chosen);
        applyModelToControls();
        redrawNow();
    }
}

void TframeWave::openDataTypeDialog(int channel) {
    const QString source = trimText(cmbWve_[channel]->currentText());
    dtSet_->prepare(channel, model_->Channels[channel].SampleType, source,
                    declaredSourceType(source, catalog_));
    if (dtSet_->exec() != QDialog::Accepted) {
        return;
    }
    model_->Channels[channel].SampleType = dtSet_->code();
    if (dataTypesSetByHand(ctx_.config)) {
        SaveManualDataType(*model_, channel, ctx_.config);
        ctx_.config.save();
    }
    redrawNow();
}

void TframeWave::ChannelSourcesChanged() {
    if (dataTypesSetByHand(ctx_.config)) {
        return;
    }
    for (int n = 0; n < 4; ++n) {
        model_->Channels[n].SourceIndex = std::max(0, cmbWve_[n]->currentIndex());
        if (auto code =
                automaticSampleType(declaredSourceType(cmbWve_[n]->currentText(), catalog_))) {
            model_->Channels[n].SampleType = *code;
        }
    }
}

void TframeWave::ApplyManualDataTypes() {
    LoadManualDataTypes(*model_, ctx_.config);
}

void TframeWave::SaveSettings() {
    SaveWaveSettings(*model_, ctx_.config);
}

void TframeWave::showBalloon(QWidget* control, const QString& text, const QString& title,
                             int icon) {
    ShowBalloonHint(control, text, 1000, icon, title);
}

// ---- mouse ----------------------------------------------------------------------------------

void TframeWave::plotPressed(int x, int y, bool right, QPoint global) {
    const PlotAction action = interaction_.mouseDown(x, y, right, plotContext());
    if (action.popupMenu) {
        pmWave_->popup(global);
        return;
    }
    afterInteraction(action);
}

void TframeWave::plotMoved(int x, int y) {
    const PlotAction action = interaction_.mouseMove(x, y, plotContext());
    switch (interaction_.plotCursor()) {
        case PlotCursor::Hand:
            pbWave_->setCursor(Qt::PointingHandCursor);
            break;
        case PlotCursor::Cross:
            pbWave_->setCursor(Qt::CrossCursor);
            break;
        case PlotCursor::SizeVertical:
            pbWave_->setCursor(Qt::SizeVerCursor);
            break;
        case PlotCursor::Default:
            pbWave_->unsetCursor();
            return;
    }
    texts_.updateMeasureReadout(*model_);
    afterInteraction(action);
    if (!action.changed) {
        showTexts();
    }
}

void TframeWave::plotReleased(int x, int y) {
    afterInteraction(interaction_.mouseUp(x, y, plotContext()));
}

void TframeWave::markerClicked(PlotObject kind, int channel) {
    afterInteraction(interaction_.markerClicked(kind, channel, plotContext()));
}

void TframeWave::afterInteraction(const PlotAction& action) {
    if (!action.changed) {
        placeMarkers();
        return;
    }
    updating_ = true;
    for (int n = 0; n < 4; ++n) {
        updnCH_[n]->setPosition(model_->Channels[n].ChannelShift);
    }
    updating_ = false;
    trigger_->refreshThreshold();
    texts_.updateMeasureReadout(*model_);
    redrawNow();
}

bool TframeWave::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int n = 0; n < 4; ++n) {
            if (watched == labWavRef_[n]) {
                markerClicked(PlotObject::ReceivedZero, n);
                return true;
            }
            if (watched == labcWavRef_[n]) {
                markerClicked(PlotObject::CompareZero, n);
                return true;
            }
            if (watched == labIWavRef_[n]) {
                markerClicked(PlotObject::IntegralZero, n);
                return true;
            }
            if (watched == labDWavRef_[n]) {
                markerClicked(PlotObject::DerivativeZero, n);
                return true;
            }
        }
        if (watched == myLabel_) {
            afterInteraction(interaction_.measureLabelClicked());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tevra
