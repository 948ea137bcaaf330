#include "app/toolkittranslation.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const QString kTranslationFile = QStringLiteral("qtbase_zh_CN");

// The type texts of the file dialog's entries. Qt 6 asks for them in this context, where they used to be asked
// for in the file dialog's own, and the distributions' Chinese translation still carries them only there: the
// save dialog's type column would read "Folder" beside Chinese headings.
constexpr char kFileTypeContext[] = "QAbstractFileIconProvider";

class MissingToolkitTexts : public QTranslator {
public:
    explicit MissingToolkitTexts(QObject* parent) : QTranslator(parent) {}

    bool isEmpty() const override { return false; }

    // Matched on the context and the source text alone: the toolkit tells the platforms' wordings apart by
    // the disambiguation, and each wording has one Chinese text.
    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (!context || !sourceText || qstrcmp(context, kFileTypeContext) != 0)
            return QString();
        return fileTypes().value(QByteArray(sourceText));
    }

private:
    static const QHash<QByteArray, QString>& fileTypes() {
        static const QHash<QByteArray, QString> texts = {
            {"Folder", QStringLiteral("文件夹")}, {"File Folder", QStringLiteral("文件夹")},
            {"Drive", QStringLiteral("驱动器")},  {"Shortcut", QStringLiteral("快捷方式")},
            {"Alias", QStringLiteral("别名")},    {"Unknown", QStringLiteral("未知")},
        };
        return texts;
    }
};

} // namespace

bool loadToolkitTranslation() {
    // Installed before the toolkit's own translation, which is therefore asked first: these texts fill only what
    // that one leaves untranslated, and serve even where it is not installed.
    QCoreApplication::installTranslator(new MissingToolkitTexts(QCoreApplication::instance()));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(kTranslationFile, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
