#include "parameters/TframParameter.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <cmath>

#include "description/ModelList.h"
#include "description/ParameterSection.h"
#include "link/TermiosSerialPort.h"
#include "parameters/DialogReadFailures.h"
#include "parameters/ParameterColours.h"
#include "parameters/ParameterPage.h"
#include "parameters/ParameterStatusWindow.h"
#include "parameters/TfrmBackupNote.h"
#include "parameters/TfrmFind.h"
#include "parameters/TfrmImportNote.h"
#include "parameters/ValueKeyFilter.h"
#include "shell/AppContext.h"
#include "shell/HelpTopics.h"
#include "shell/LampShape.h"
#include "shell/PollingScheduler.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"

namespace tevra {
namespace {

// Dialogs nobody answers: used until the application sets its own.
class SilentDialogs : public UserDialogs {
  public:
    void showMessage(const QString&, const QString&, MessageIcon) override {}
    bool askYesNo(const QString&, const QString&, MessageIcon) override { return false; }
};

DriveLink& LinkOf(AppContext& ctx, std::unique_ptr<DriveLink>& fallback) {
    if (ctx.link) {
        return *ctx.link;
    }
    // A page built before the program set up its link gets one that never opens.
    fallback = std::make_unique<DriveLink>(std::make_unique<TermiosSerialPort>());
    return *fallback;
}

UserDialogs& DialogsOf(AppContext& ctx) {
    static SilentDialogs silent;
    return ctx.dialogs != nullptr ? *ctx.dialogs : silent;
}

// "desc|pattern|desc|pattern" as the file dialog's filter list.
QString QtFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString pattern = parts[i + 1] == QLatin1String("*.*") ? QStringLiteral("*") : parts[i + 1];
        if (!description.contains(QLatin1Char('('))) {
            description += QStringLiteral(" (") + pattern + QLatin1Char(')');
        }
        out.append(description);
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogRequest& r) {
    QFileDialog dialog(parent, r.title, r.startFolder, QtFilters(r.filter));
    dialog.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QString suffix = r.defaultExtension;
    if (suffix.startsWith(QLatin1Char('.'))) {
        suffix.remove(0, 1);
    }
    dialog.setDefaultSuffix(suffix);
    if (!r.fileName.isEmpty() && !r.fileName.contains(QLatin1Char('*'))) {
        dialog.selectFile(r.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front();
}

int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

constexpr int kLampCount = IoPanel::kBoxes;

QString SignalName(int box) {
    return box < IoPanel::kInputs ? QStringLiteral("X%1").arg(box)
                                  : QStringLiteral("Y%1").arg(box - IoPanel::kInputs);
}

bool DisabledAtDesign(int box) {
    return (box >= 10 && box < IoPanel::kInputs) || box >= IoPanel::YBox(4);
}

}  // namespace

TframParameter::TframParameter(AppContext& ctx, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      readFailures_(std::make_unique<DialogReadFailures>(DialogsOf(ctx))),
      status_(std::make_unique<ParameterStatusWindow>(this)) {
    setObjectName(QStringLiteral("framParameter"));
    page_ =
        std::make_unique<ParameterPage>(LinkOf(ctx, ownLink_), DialogsOf(ctx), *readFailures_,
                                        ctx.AdministratorMode, ctx.io, ctx.outputStatusRegister);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    pnlConnect_ = new QWidget(this);
    pnlConnect_->setObjectName(QStringLiteral("pnlConnect"));
    auto* connectLayout = new QVBoxLayout(pnlConnect_);
    connectLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pnlConnect_);

    pnlBody_ = new QWidget(this);
    pnlBody_->setObjectName(QStringLiteral("pnlBody"));
    auto* body = new QHBoxLayout(pnlBody_);
    body->setContentsMargins(4, 4, 4, 4);
    body->setSpacing(6);
    pnlGrid_ = new QWidget(pnlBody_);
    pnlHint_ = new QWidget(pnlBody_);
    body->addWidget(pnlGrid_);
    body->addWidget(pnlHint_, 1);
    layout->addWidget(pnlBody_, 1);
    pnlBody_->installEventFilter(this);
    buildGridSide(pnlGrid_);
    buildHintSide(pnlHint_);

    ParameterPage* page = page_.get();
    connect(page, &ParameterPage::detailsChanged, this, &TframParameter::showDetails);
    connect(page, &ParameterPage::selectionChanged, this, &TframParameter::showSelection);
    connect(page, &ParameterPage::gridSchemeChanged, this, &TframParameter::showGridColours);
    connect(page, &ParameterPage::writeTargetChanged, this, [this] {
        (page_->writeTarget() == ParameterPage::WriteTarget::Ram ? writeRAM_ : WriteEEPROM_)
            ->setChecked(true);
    });
    connect(&page->io(), &IoPanel::boxesChanged, this, &TframParameter::showBoxes);
    connect(&page->io(), &IoPanel::lampsChanged, this, &TframParameter::showLamps);

    if (ctx.scheduler != nullptr) {
        serviceIds_[0] = ctx.scheduler->registerService(
            PollingScheduler::ParameterRead,
            [this] { return isVisible() && page_->ReadServiceWanted(); },
            [this] { page_->RunReadService(status_.get()); }, QStringLiteral("ReadAllParameters"));
        serviceIds_[1] = ctx.scheduler->registerService(
            PollingScheduler::ParameterIo, [this] { return isVisible(); },
            [this] { page_->RunIoService(); }, QStringLiteral("ParameterIo"));
    }
    ctx.linkStateListeners.push_back(
        [this](bool connected) { page_->LinkStateChanged(connected); });
    ctx.connectedListeners.push_back([this] { page_->ParameterRefreshRequested = true; });
    ctx.settingsSavers.push_back([this] {
        if (frmFind_ != nullptr) {
            frmFind_->savePosition();
        }
    });

    readEntries();
    showGridColours();
    showBoxes();
    showLamps();
}

TframParameter::~TframParameter() {
    if (ctx_.scheduler != nullptr) {
        for (int id : serviceIds_) {
            if (id >= 0) {
                ctx_.scheduler->unregisterService(id);
            }
        }
    }
}

void TframParameter::buildGridSide(QWidget* side) {
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    sgPara_ = new QTableView(side);
    sgPara_->setObjectName(QStringLiteral("sgPara"));
    sgPara_->setModel(&page_->grid());
    sgPara_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgPara_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgPara_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgPara_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sgPara_->setWordWrap(false);
    sgPara_->verticalHeader()->hide();
    sgPara_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgPara_->verticalHeader()->setDefaultSectionSize(18);
    sgPara_->horizontalHeader()->setHighlightSections(false);
    sgPara_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    sgPara_->setColumnWidth(0, 40);
    sgPara_->setColumnWidth(1, 377);
    sgPara_->setColumnWidth(2, 72);
    sgPara_->horizontalHeader()->setStretchLastSection(true);
    sgPara_->installEventFilter(this);
    layout->addWidget(sgPara_);

    auto* refresh = new QAction(QStringLiteral(u"刷新&"), sgPara_);
    refresh->setObjectName(QStringLiteral("pmiRefresh"));
    refresh->setShortcut(QKeySequence(Qt::Key_F5));
    refresh->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    sgPara_->addAction(refresh);
    sgPara_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(refresh, &QAction::triggered, this, [this] { page_->RequestRefresh(); });

    connect(sgPara_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!syncingSelection_ && current.isValid()) {
                    page_->SelectRow(current.row() + 1);
                }
            });
    connect(sgPara_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            page_->SelectRow(index.row() + 1);
        }
    });
}

void TframParameter::buildHintSide(QWidget* side) {
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    reParaHint_ = new QTextEdit(side);
    reParaHint_->setObjectName(QStringLiteral("reParaHint"));
    reParaHint_->setReadOnly(true);
    layout->addWidget(reParaHint_, 1);

    auto* valueGroup = new QGroupBox(QStringLiteral(u"参数设置"), side);
    auto* values = new QGridLayout(valueGroup);
    edtCurrPara_ = new QLineEdit(valueGroup);
    edtCurrPara_->setObjectName(QStringLiteral("edtCurrPara"));
    edtCurrPara_->setReadOnly(true);
    edtCurrPara_->setText(QStringLiteral("00000"));
    edtCurrPara_->setMaxLength(5);
    QPalette readOnly = edtCurrPara_->palette();
    readOnly.setColor(QPalette::Base, QColor(0xF0, 0xF0, 0xF0));
    edtCurrPara_->setPalette(readOnly);
    ParValEdit_ = new QLineEdit(valueGroup);
    ParValEdit_->setObjectName(QStringLiteral("ParValEdit"));
    ParValEdit_->setText(QStringLiteral("00000"));
    ParValEdit_->setMaxLength(5);
    for (QLineEdit* box : {edtCurrPara_, ParValEdit_}) {
        box->installEventFilter(this);
        box->setContextMenuPolicy(Qt::NoContextMenu);
    }
    connect(ParValEdit_, &QLineEdit::textChanged, this,
            [this](const QString& text) { page_->setNewValueText(text); });
    writeRAM_ = new QRadioButton(QStringLiteral("RAM"), valueGroup);
    writeRAM_->setObjectName(QStringLiteral("writeRAM"));
    writeRAM_->setChecked(true);
    WriteEEPROM_ = new QRadioButton(QStringLiteral("EEPROM"), valueGroup);
    WriteEEPROM_->setObjectName(QStringLiteral("WriteEEPROM"));
    connect(writeRAM_, &QRadioButton::toggled, this, [this](bool on) {
        page_->setWriteTarget(on ? ParameterPage::WriteTarget::Ram
                                 : ParameterPage::WriteTarget::Eeprom);
    });
    WriParaBtn_ = new QPushButton(QStringLiteral(u"设置"), valueGroup);
    WriParaBtn_->setObjectName(QStringLiteral("WriParaBtn"));
    connect(WriParaBtn_, &QPushButton::clicked, this, &TframParameter::WriParaBtnClick);
    values->addWidget(new QLabel(QStringLiteral(u"当前值："), valueGroup), 0, 0);
    values->addWidget(edtCurrPara_, 0, 1);
    values->addWidget(writeRAM_, 0, 2);
    values->addWidget(new QLabel(QStringLiteral(u"设定值："), valueGroup), 1, 0);
    values->addWidget(ParValEdit_, 1, 1);
    values->addWidget(WriteEEPROM_, 1, 2);
    values->addWidget(WriParaBtn_, 0, 3, 2, 1);
    values->setColumnStretch(1, 1);
    layout->addWidget(valueGroup);

    auto* files = new QHBoxLayout();
    ImportParaBtn_ = new QPushButton(QStringLiteral(u"导入参数 &I"), side);
    ImportParaBtn_->setObjectName(QStringLiteral("ImportParaBtn"));
    BackupParaBtn_ = new QPushButton(QStringLiteral(u"备份参数 &B"), side);
    BackupParaBtn_->setObjectName(QStringLiteral("BackupParaBtn"));
    ViewParaBBtn_ = new QPushButton(QStringLiteral(u"查看参数 &S"), side);
    ViewParaBBtn_->setObjectName(QStringLiteral("ViewParaBBtn"));
    btnHelp1_ = new QPushButton(QStringLiteral(u"帮助"), side);
    btnHelp1_->setObjectName(QStringLiteral("btnHelp1"));
    btnHelp1_->hide();
    connect(ImportParaBtn_, &QPushButton::clicked, this, &TframParameter::ImportParaBtnClick);
    connect(BackupParaBtn_, &QPushButton::clicked, this, &TframParameter::BackupParaBtnClick);
    connect(ViewParaBBtn_, &QPushButton::clicked, this, &TframParameter::ViewParaBBtnClick);
    connect(btnHelp1_, &QPushButton::clicked, this,
            [this] { openHelp(QStringLiteral("new_topic5.htm")); });
    files->addWidget(ImportParaBtn_);
    files->addWidget(BackupParaBtn_);
    files->addWidget(ViewParaBBtn_);
    files->addWidget(btnHelp1_);
    layout->addLayout(files);

    layout->addWidget(buildIoPanel(side));
}

QWidget* TframParameter::buildIoPanel(QWidget* parent) {
    auto* group = new QGroupBox(QStringLiteral(u"输入输出状态"), parent);
    group->setObjectName(QStringLiteral("gbxIo"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    auto* inputs = new QLabel(QStringLiteral(u"输入"), group);
    auto* outputs = new QLabel(QStringLiteral(u"输出"), group);
    auto* inversion = new QLabel(QStringLiteral(u"取反"), group);
    inversion->setToolTip(QStringLiteral(u"勾选的信号取反"));
    grid->addWidget(inputs, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral(u"取反"), group), 2, 0);
    grid->addWidget(outputs, 3, 0);
    grid->addWidget(inversion, 5, 0);
    for (int box = 0; box < kLampCount; ++box) {
        const bool input = box < IoPanel::kInputs;
        const int column = 1 + (input ? box : box - IoPanel::kInputs);
        const int row = input ? 0 : 3;
        const QString name = SignalName(box);
        auto* cell = new QWidget(group);
        auto* cellLayout = new QHBoxLayout(cell);
        cellLayout->setContentsMargins(0, 0, 0, 0);
        cellLayout->setSpacing(0);
        auto* lamp = new LampShape(cell, 12);
        lamp->setObjectName(name + QStringLiteral("Shape"));
        cellLayout->addWidget(lamp, 0, Qt::AlignHCenter);
        auto* label = new QLabel(name, group);
        label->setObjectName(name + QStringLiteral("Lab"));
        label->setAlignment(Qt::AlignHCenter);
        auto* check = new QCheckBox(group);
        check->setObjectName(name + QStringLiteral("ChK"));
        check->setToolTip(name);
        grid->addWidget(cell, row, column, Qt::AlignHCenter);
        grid->addWidget(label, row + 1, column, Qt::AlignHCenter);
        grid->addWidget(check, row + 2, column, Qt::AlignHCenter);
        if (DisabledAtDesign(box)) {
            check->setEnabled(false);
            lamp->setEnabled(false);
            label->setEnabled(false);
        }
        // The user's click; setChecked from the program goes through the panel instead.
        connect(check, &QCheckBox::clicked, this, [this, box] { page_->io().clickBox(box); });
        boxes_[static_cast<size_t>(box)] = check;
        lamps_[static_cast<size_t>(box)] = lamp;
    }
    lamps_[0]->setEnabled(false);

    auto* status = new QHBoxLayout();
    auto addLamp = [&](const char* name, const QString& caption) {
        auto* lamp = new LampShape(group, 14);
        lamp->setObjectName(QString::fromLatin1(name));
        status->addWidget(lamp);
        status->addWidget(new QLabel(caption, group));
        status->addSpacing(12);
        return lamp;
    };
    shpServoStus_ = addLamp("shpServoStus", QStringLiteral(u"伺服ON"));
    shpPulse_ = addLamp("shpPulse", QStringLiteral(u"脉冲"));
    shpDirect_ = addLamp("shpDirect", QStringLiteral(u"方向"));
    status->addStretch(1);
    grid->addLayout(status, 6, 0, 1, IoPanel::kInputs + 1);
    return group;
}

void TframParameter::readEntries() {
    auto section = ReadParameterSection(ctx_.modelLines);
    if (!section) {
        DialogsOf(ctx_).showMessage(section.error().toString(), caption::error(),
                                    MessageIcon::Error);
        page_->SetEntries({});
        return;
    }
    for (const ParameterBoundWarning& w : section->warnings) {
        DialogsOf(ctx_).showMessage(w.message, caption::error(), MessageIcon::Error);
    }
    page_->SetEntries(std::move(section->entries));
}

DriveLink& TframParameter::link() {
    return ctx_.link ? *ctx_.link : *ownLink_;
}

void TframParameter::ModelChanged() {
    readEntries();
}

void TframParameter::showDetails() {
    reParaHint_->clear();
    QTextCursor cursor(reParaHint_->document());
    const QTextBlockFormat plain;
    bool first = true;
    bool ruleBefore = false;
    for (const DetailParagraph& p : page_->details()) {
        if (p.horizontalBreak) {
            ruleBefore = true;
            continue;
        }
        QTextBlockFormat block = plain;
        if (ruleBefore) {
            // The break: a ruler at the top of the next paragraph.
            QTextBlockFormat ruler;
            ruler.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                              QTextLength(QTextLength::PercentageLength, 100));
            cursor.insertBlock(ruler);
            ruleBefore = false;
        }
        if (first) {
            cursor.setBlockFormat(block);
        } else {
            cursor.insertBlock(block);
        }
        first = false;
        for (const StyledRun& run : p.runs) {
            cursor.insertText(run.text, DetailCharFormat(ParameterDetailStyle(run.style)));
        }
    }
    reParaHint_->moveCursor(QTextCursor::Start);

    const QSignalBlocker blocker(ParValEdit_);
    ParValEdit_->setMaxLength(32767);
    ParValEdit_->setText(page_->newValueText());
    const int max = page_->valueMaxLength();
    if (max > 0 && ParValEdit_->text().size() <= max) {
        ParValEdit_->setMaxLength(max);
    }
    edtCurrPara_->setText(page_->currentValueText());
}

void TframParameter::showSelection(int row) {
    syncingSelection_ = true;
    sgPara_->selectRow(row - 1);
    syncingSelection_ = false;
}

void TframParameter::showGridColours() {
    const ParameterPage::GridScheme scheme = page_->gridScheme();
    const bool active = scheme == ParameterPage::GridScheme::Active;
    QPalette p = sgPara_->palette();
    p.setColor(QPalette::Base, GridBackground(active));
    p.setColor(QPalette::Text, GridText(active, scheme == ParameterPage::GridScheme::Offline));
    sgPara_->setPalette(p);
}

void TframParameter::showBoxes() {
    for (int box = 0; box < kLampCount; ++box) {
        boxes_[static_cast<size_t>(box)]->setChecked(page_->io().boxChecked(box));
    }
}

void TframParameter::showLamps() {
    const IoPanel& io = page_->io();
    for (int i = 0; i < IoPanel::kInputs; ++i) {
        lamps_[static_cast<size_t>(IoPanel::XBox(i))]->setColor(LampQColor(io.inputLamp(i)));
    }
    for (int i = 0; i < IoPanel::kOutputs; ++i) {
        lamps_[static_cast<size_t>(IoPanel::YBox(i))]->setColor(LampQColor(io.outputLamp(i)));
    }
    shpPulse_->setColor(LampQColor(io.pulseLamp()));
    shpDirect_->setColor(LampQColor(io.directionLamp()));
    shpServoStus_->setColor(LampQColor(io.servoOnLamp()));
}

bool TframParameter::MainKeyDown(int digit, Qt::KeyboardModifiers modifiers) {
    return page_->io().HandleHotKey(
        digit, modifiers.testFlag(Qt::AltModifier), modifiers.testFlag(Qt::ShiftModifier),
        modifiers.testFlag(Qt::ControlModifier), ctx_.CaptureRunning.load(), captureRequests_);
}

void TframParameter::ApplyCaptureRequests(uint32_t bits) {
    page_->io().ApplyCaptureRequests(bits);
}

bool TframParameter::WriteInversionGroup(int group) {
    return page_->io().WriteInversionGroup(group);
}

void TframParameter::WriParaBtnClick() {
    page_->setNewValueText(ParValEdit_->text());
    page_->WriteParameter();
}

DriveIdentityTexts TframParameter::identityTexts() const {
    DriveIdentityTexts id;
    auto text = [this](const char* name) {
        auto* label = pnlConnect_->findChild<QLabel*>(QString::fromLatin1(name));
        return label != nullptr ? label->text() : QString();
    };
    id.DriTypeLab = text("DriTypeLab");
    id.SoftVerLab = text("SoftVerLab");
    id.DriUseIDLab = text("DriUseIDLab");
    id.SoftNoteLab = text("SoftNoteLab");
    id.SoftDateLab = text("SoftDateLab");
    id.ModelName = ModelList(ctx_.folders).selectedModel();
    return id;
}

ParameterFileButtons TframParameter::fileButtons(ParameterFileContext& context) {
    ParameterFileButtons b(context, ctx_.config);
    b.administrator = ctx_.AdministratorMode;
    b.chooseFile = chooseFile_ ? chooseFile_ : [this](const FileDialogRequest& r) {
        return RunFileDialog(this, r);
    };
    b.editNote = editNote_ ? editNote_ : [this](const QString& prompt) {
        if (frmBackupNote_ == nullptr) {
            frmBackupNote_ = new TfrmBackupNote(this);
        }
        return frmBackupNote_->editNote(prompt);
    };
    b.viewNote = viewNote_ ? viewNote_ : [this](const NoteViewContent& content) {
        if (frmImportNote_ == nullptr) {
            frmImportNote_ = new TfrmImportNote(this);
        }
        return frmImportNote_->viewNote(content);
    };
    b.disconnect = [this] {
        // The connection page's button does the disconnect.
        if (auto* button = pnlConnect_->findChild<QPushButton*>(QStringLiteral("LinkBut"))) {
            button->click();
        }
    };
    return b;
}

bool TframParameter::BackupParaBtnClick() {
    ParameterFileContext context{link(), DialogsOf(ctx_), *readFailures_, *status_, ctx_.folders};
    const bool ok = fileButtons(context).Backup(identityTexts(), confirmed_);
    if (ok) {
        ctx_.config.save();
    }
    return ok;
}

bool TframParameter::ImportParaBtnClick() {
    ParameterFileContext context{link(), DialogsOf(ctx_), *readFailures_, *status_, ctx_.folders};
    const bool ok =
        fileButtons(context).Import(page_->grid(), ctx_.noImport, identityTexts(), confirmed_);
    if (ok) {
        ctx_.config.save();
    }
    return ok;
}

bool TframParameter::ViewParaBBtnClick() {
    ParameterFileContext context{link(), DialogsOf(ctx_), *readFailures_, *status_, ctx_.folders};
    const bool ok = fileButtons(context).View(page_->grid(), identityTexts(), confirmed_);
    if (ok) {
        page_->ShowOfflineValues();
        page_->ShowParameterDetails();
        ctx_.config.save();
    }
    return ok;
}

void TframParameter::OpenFind() {
    if (frmFind_ == nullptr) {
        frmFind_ = new TfrmFind(ctx_.config, window());
        frmFind_->openHelp = [this](const QString& topic) { openHelp(topic); };
    }
    frmFind_->openOn(
        &page_->grid(), [this] { return page_->selectedRow(); },
        [this](int row) { page_->SelectRow(row); }, 1);
}

void TframParameter::openHelp(const QString& topic) {
    const HelpLaunchResult r = OpenHelpTopic(ctx_.folders, topic);
    if (!r.started && !r.message.isEmpty()) {
        DialogsOf(ctx_).showMessage(r.message, caption::information(), MessageIcon::Information);
    }
}

bool TframParameter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == sgPara_ && key->key() == Qt::Key_F &&
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) ==
                Qt::ControlModifier) {
            OpenFind();
            return true;
        }
        if ((watched == ParValEdit_ || watched == edtCurrPara_) && !key->text().isEmpty()) {
            const QChar c = key->text().front();
            // Keys that type a character are filtered; Backspace, Enter and Tab pass.
            if (key->key() != Qt::Key_Backspace && key->key() != Qt::Key_Tab &&
                key->key() != Qt::Key_Backtab && !ValueKeyAccepted(c)) {
                return true;
            }
        }
    }
    if (watched == pnlBody_ && event->type() == QEvent::Resize) {
        layoutSides();
    }
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == ParValEdit_ || watched == edtCurrPara_)) {
        ParValEdit_->selectAll();
        ParValEdit_->setFocus();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TframParameter::layoutSides() {
    const int x = RoundHalfEven(pnlBody_->width() / 10.0);
    const int gridWidth = std::max(100, RoundHalfEven(5.5 * x) - 5);
    pnlGrid_->setFixedWidth(gridWidth);
    pnlHint_->setMinimumWidth(std::max(100, RoundHalfEven(4.5 * x) - 5));
    const int nameWidth = RoundHalfEven(gridWidth / 6.0) * 6 - 140;
    if (nameWidth > 0) {
        sgPara_->setColumnWidth(1, nameWidth);
    }
}

}  // namespace tevra
