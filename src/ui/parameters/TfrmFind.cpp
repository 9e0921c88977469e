#include "parameters/TfrmFind.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "ini/IniFile.h"
#include "parameters/GridFind.h"
#include "shell/BalloonHint.h"

namespace tevra {

TfrmFind::TfrmFind(IniFile& config, QWidget* parent) : QDialog(parent), config_(config) {
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral(u"查找"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setModal(false);
    auto* layout = new QGridLayout(this);
    auto* label = new QLabel(QStringLiteral(u"查找内容(&N)："), this);
    edtFind_ = new QLineEdit(this);
    edtFind_->setObjectName(QStringLiteral("edtFind"));
    label->setBuddy(edtFind_);
    chbxUpLow_ = new QCheckBox(QStringLiteral(u"区分大小写"), this);
    chbxUpLow_->setObjectName(QStringLiteral("chbxUpLow"));
    btnConfirm_ = new QPushButton(QStringLiteral(u"查找(&F)"), this);
    btnConfirm_->setObjectName(QStringLiteral("btnConfirm"));
    btnConfirm_->setToolTip(QStringLiteral(u"查找"));
    btnConfirm_->setDefault(true);
    btnCancel_ = new QPushButton(QStringLiteral(u"取消"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setToolTip(QStringLiteral(u"取消"));
    btnHelp_ = new QPushButton(QStringLiteral(u"帮助"), this);
    btnHelp_->setObjectName(QStringLiteral("btnHelp"));
    btnHelp_->setToolTip(QStringLiteral(u"打开帮助文件，系统热键F1。"));
    layout->addWidget(label, 0, 0);
    layout->addWidget(edtFind_, 0, 1);
    layout->addWidget(btnConfirm_, 0, 2);
    layout->addWidget(chbxUpLow_, 1, 0, 1, 2);
    layout->addWidget(btnCancel_, 1, 2);
    layout->addWidget(btnHelp_, 2, 2);

    connect(btnConfirm_, &QPushButton::clicked, this, [this] { findNext(); });
    // Enter in edtFind presses the default button btnConfirm; a handler of its own would
    // search a second time and skip a match.
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::close);
    auto help = [this] {
        if (openHelp) {
            openHelp(QStringLiteral("findpara.htm"));
        }
    };
    connect(btnHelp_, &QPushButton::clicked, this, help);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, help);

    const FindWindowPosition p = LoadFindWindowPosition(config_);
    move(p.left, p.top);
}

void TfrmFind::openOn(const ParameterGridModel* grid, std::function<int()> selectedRow,
                      std::function<void(int)> selectRow, int context) {
    grid_ = grid;
    selectedRow_ = std::move(selectedRow);
    selectRow_ = std::move(selectRow);
    context_ = context;
    setWindowTitle(QStringLiteral(u"查找"));
    const SavedSearch s = LoadSavedSearch(config_, context_);
    edtFind_->setText(s.text);
    chbxUpLow_->setChecked(s.matchCase);
    show();
    raise();
    activateWindow();
    edtFind_->setFocus();
}

int TfrmFind::findNext() {
    if (grid_ == nullptr) {
        return -1;
    }
    const int selected = selectedRow_ ? selectedRow_() : 0;
    const std::optional<int> row =
        FindInGrid(*grid_, selected, edtFind_->text(), chbxUpLow_->isChecked());
    if (!row) {
        ShowBalloonHint(edtFind_, QString::fromUtf16(kFindNothingText), 1000, BalloonInfo,
                        QStringLiteral(u"提示"));
        return -1;
    }
    if (selectRow_) {
        selectRow_(*row);
    }
    return *row;
}

void TfrmFind::saveSearch() {
    StoreSavedSearch(config_, context_, {edtFind_->text(), chbxUpLow_->isChecked()});
    config_.save();
}

void TfrmFind::savePosition() {
    StoreFindWindowPosition(config_, {pos().x(), pos().y()});
}

void TfrmFind::hideEvent(QHideEvent* event) {
    saveSearch();
    savePosition();
    config_.save();
    QDialog::hideEvent(event);
}

}  // namespace tevra
