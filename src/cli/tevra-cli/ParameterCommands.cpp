// Parameter backup and import: the parameter page's backup and import buttons for a
// production line, with the same file format, checks and import log.

#include "CliCommand.h"
#include "description/ModelList.h"
#include "description/NoImportSection.h"
#include "description/ParameterSection.h"
#include "description/ProtectedTextFile.h"
#include "parameters/DialogReadFailures.h"
#include "parameters/ParameterFiles.h"
#include "parameters/StatusProgress.h"
#include "shell/TipMessages.h"
#include "text/TextUtil.h"

namespace tevra::cli {

namespace {

// The identity texts as the connection page shows them after connecting.
DriveIdentityTexts ReadIdentity(CliContext& ctx) {
    auto info = [&](uint8_t code) {
        QString text;
        return ctx.link->ReadInfoString(code, text) ? text : QStringLiteral(u"获取失败！");
    };
    DriveIdentityTexts id;
    id.DriTypeLab = info(3);
    id.DriUseIDLab = info(4);
    id.SoftVerLab = info(5);
    id.SoftDateLab = info(6);
    id.SoftNoteLab = info(7);
    id.ModelName = ModelList(ctx.folders).selectedModel();
    return id;
}

// Progress on the terminal: a dot every 64 steps.
class ConsoleProgress : public StatusProgress {
  public:
    explicit ConsoleProgress(QTextStream& out) : out_(out) {}
    void showStatus(const QString& text) override { out_ << text << Qt::flush; }
    void setStatusText(const QString&) override {}
    void showProgressBar(int) override { steps_ = 0; }
    void stepProgressBar() override {
        if (++steps_ % 64 == 0) {
            out_ << '.' << Qt::flush;
        }
    }
    void hideProgressBar() override {}
    void closeStatus() override { out_ << Qt::endl; }

  private:
    QTextStream& out_;
    int steps_ = 0;
};

QStringList NoteLines(const QString& note) {
    if (note.isEmpty()) {
        return {};
    }
    QString text = note;
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return text.split(QLatin1Char('\n'));
}

int Backup(CliContext& ctx, const QStringList& args) {
    const QString fileName = WithDefaultExtension(args.at(0));
    const DriveIdentityTexts identity = ReadIdentity(ctx);
    DialogReadFailures failures(ctx.dialogs);
    ConsoleProgress progress(ctx.out);
    ParameterFileContext pctx{*ctx.link, ctx.dialogs, failures, progress, ctx.folders};
    const QStringList note = NoteLines(ctx.options.value(QStringLiteral("note")));
    if (!BackupParameters(pctx, fileName, identity, QString(),
                          [&](const QString&) { return std::optional<QStringList>(note); })) {
        return kExitFailed;
    }
    ctx.dialogs.showMessage(TipMessages()[48], caption::information(), MessageIcon::Information);
    ctx.out << fileName << Qt::endl;
    return kExitOk;
}

// The last Pr number of the selected model's parameter list (0x14F when there is none).
uint32_t LastModelParameter(CliContext& ctx) {
    const ModelDescription model =
        LoadSelectedModelDescription(ctx.folders, ModelList(ctx.folders));
    const auto section = ReadParameterSection(model.lines, model.relativeName);
    if (!section || section->entries.isEmpty()) {
        ctx.err << "no parameter list of the selected model; importing up to Pr14F" << Qt::endl;
        return 0x14F;
    }
    return section->entries.back().PrNumber;
}

int Import(CliContext& ctx, const QStringList& args) {
    const QString fileName = WithDefaultExtension(args.at(0));
    uint32_t lastPr = 0;
    if (ctx.options.values.contains(QStringLiteral("last"))) {
        const auto v = hexArgument(ctx, ctx.options.value(QStringLiteral("last")), 0xFFFF,
                                   QStringLiteral("last Pr number"));
        if (!v) {
            return kExitUsage;
        }
        lastPr = *v;
    } else {
        lastPr = LastModelParameter(ctx);
    }
    const auto barred = ReadNoImportSection(ctx.folders, protected_file::kSystemDescription);
    if (!barred) {
        ctx.err << barred.error().toString() << Qt::endl;
        return kExitFailed;
    }
    const DriveIdentityTexts identity = ReadIdentity(ctx);
    DialogReadFailures failures(ctx.dialogs);
    ConsoleProgress progress(ctx.out);
    ParameterFileContext pctx{*ctx.link, ctx.dialogs, failures, progress, ctx.folders};
    ConfirmedFileIdentity confirmed;
    const auto showNote = [&](const NoteViewContent& content) {
        for (const NoteViewLine& line : content.lines) {
            ctx.out << line.label << line.value << Qt::endl;
        }
        return true;
    };
    ctx.out << QStringLiteral(u"导入长度：") << hexText(lastPr, 2) << Qt::endl;
    const bool ok =
        ImportParameterFile(pctx, fileName, lastPr, *barred, identity, confirmed, showNote);
    ctx.out << "log: " << ImportLogPath(ctx.folders) << Qt::endl;
    if (!ok) {
        return kExitFailed;
    }
    ctx.dialogs.showMessage(TipMessages()[33], caption::information(), MessageIcon::Information);
    return kExitOk;
}

void RegisterParameterCommands(CommandRegistry& r) {
    CliCommand backup;
    backup.name = QStringLiteral("backup");
    backup.arguments = QStringLiteral("FILE.dpm [--note TEXT]");
    backup.summary = QStringLiteral(
        "back up Pr 00..1FF of the drive's RAM into a parameter file "
        "(note lines separated by \\n)");
    backup.minArguments = backup.maxArguments = 1;
    backup.valueOptions = {QStringLiteral("note")};
    backup.run = Backup;
    r.add(backup);

    CliCommand import;
    import.name = QStringLiteral("import");
    import.arguments = QStringLiteral("FILE.dpm [--last PR] [--yes]");
    import.summary = QStringLiteral(
        "check a parameter file against the drive and write it into "
        "the three EEPROM images up to the model's last Pr (or PR), "
        "verified, logged in Log/LoadPara.log; --yes accepts a "
        "different parameter version");
    import.minArguments = import.maxArguments = 1;
    import.valueOptions = {QStringLiteral("last")};
    import.run = Import;
    r.add(import);
}

const CommandGroup parameterGroup(QStringLiteral("3 Parameters"), RegisterParameterCommands);

}  // namespace

}  // namespace tevra::cli
