#include "shell/TfrmAbout.h"

#include <QGridLayout>
#include <QLabel>

namespace tevra {

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral(u"关于"));
    setModal(true);
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(0);
    grid->setContentsMargins(16, 16, 16, 16);
    const std::pair<const char16_t*, const char16_t*> rows[] = {
        {u"监控软件", u"Version：V2.000"},
        {u"帮助文件", u"Version：V1.00"},
        {u"创建日期", u"2015-08-08"},
        {u"最后更新日期", u"2019-08-08"},
    };
    int r = 0;
    for (const auto& [name, value] : rows) {
        for (int c = 0; c < 2; ++c) {
            auto* cell = new QLabel(QString::fromUtf16(c == 0 ? name : value), this);
            cell->setFrameShape(QFrame::Box);
            cell->setMargin(6);
            cell->setMinimumWidth(c == 0 ? 110 : 160);
            grid->addWidget(cell, r, c);
        }
        ++r;
    }
    setFixedSize(sizeHint());
}

}  // namespace tevra
