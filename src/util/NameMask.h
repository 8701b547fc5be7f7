#pragma once

#include <QList>
#include <QString>

#include <string>
#include <string_view>

namespace quarvel {

// A name pattern with "*" and "?", letter case ignored. Masks and names that are pure ASCII, the
// usual case by far, are compared byte by byte without decoding the name.
class NameMask {
public:
    explicit NameMask(const QString& mask);

    // name as the folder listing gives it, UTF-8.
    bool Matches(std::string_view name) const;

private:
    bool asciiMask_;
    QList<uint> foldedPattern_;
    std::string asciiPattern_;
};

} // namespace quarvel
