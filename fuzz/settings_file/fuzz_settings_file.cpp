// Feeds arbitrary bytes as a settings file or language list through ParserXML.
#include "settings/parserxml.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath("input.xml");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const QStringList names = ParserXML::LanguageNames(path);
    for (const QString& name : names) {
        const ParserXML::LanguageEntry entry = ParserXML::FindLanguage(path, name);
        ParserXML::SetLanguageType(entry.type);
    }
    QDomDocument document;
    if (ParserXML::OpenOrCreate(path, document))
        ParserXML::WriteDocument(path, document);
    return 0;
}
