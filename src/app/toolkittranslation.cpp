#include "app/toolkittranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
const QString kTranslationFile = QStringLiteral("qtbase_zh_CN");
} // namespace

bool loadToolkitTranslation() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(kTranslationFile, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
