#include "catalogue/CategoryListChooser.h"

#include "catalogue/CategoryListFile.h"
#include "catalogue/CategoryTable.h"
#include "reporting/LogSink.h"
#include "settings/CategoriesSetting.h"
#include "util/QuarvelError.h"

#include <QFile>
#include <QFileInfo>

namespace quarvel {

CategoryListChooser::CategoryListChooser(QString builtInListPath, CategoryListFinder finder, LogSink& log)
    : builtInListPath_(std::move(builtInListPath)), finder_(std::move(finder)), log_(log)
{
}

QString CategoryListChooser::LoadAtStartup(const CategoriesChoice& remembered, CategoryTable& table,
                                           StringList& names)
{
    switch (remembered.ChosenSource) {
    case CategoriesChoice::Source::File:
        if (!QFileInfo(remembered.Path).isFile()) {
            log_.AppendLine(QStringLiteral("Category list \"%1\" not found, using the built-in list")
                                .arg(remembered.Path));
        } else if (LoadFile(remembered.Path, table, names)) {
            return remembered.Path;
        }
        break;
    case CategoriesChoice::Source::None:
        if (QString found = LoadFirstFound(table, names); !found.isEmpty())
            return found;
        break;
    case CategoriesChoice::Source::BuiltIn:
        break;
    }
    LoadBuiltIn(table, names);
    return QString();
}

QString CategoryListChooser::LoadFirstFound(CategoryTable& table, StringList& names)
{
    for (const QString& path : finder_.FindLists())
        if (LoadFile(path, table, names))
            return path;
    return QString();
}

bool CategoryListChooser::LoadFile(const QString& path, CategoryTable& table, StringList& names)
{
    try {
        CategoryListFile::LoadLogged(path, table, names, log_);
        return true;
    } catch (const QuarvelError& error) {
        log_.AppendLine(error.Message());
        return false;
    }
}

void CategoryListChooser::LoadBuiltIn(CategoryTable& table, StringList& names)
{
    QFile resource(builtInListPath_);
    if (!resource.open(QIODevice::ReadOnly))
        throw QuarvelError(QStringLiteral("Resource %1 not found").arg(builtInListPath_));
    CategoryListFile::BuildBuiltIn(resource.readAll(), table, names, log_);
}

} // namespace quarvel
