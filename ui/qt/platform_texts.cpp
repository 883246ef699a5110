#include "platform_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace levelwise {

void LoadPlatformTexts()
{
    // Lives as long as the application; a locale Qt has no texts for keeps them English.
    static QTranslator translator;
    if (translator.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

}  // namespace levelwise
