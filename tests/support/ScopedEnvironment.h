#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>
#include <utility>
#include <vector>

namespace quarvel::test {

// Changes environment variables for one test and puts back what was there before.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    ~ScopedEnvironment()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                qputenv(it->first.constData(), *it->second);
            else
                qunsetenv(it->first.constData());
        }
    }

    void Set(const QByteArray& name, const QByteArray& value)
    {
        Save(name);
        qputenv(name.constData(), value);
    }

    void Unset(const QByteArray& name)
    {
        Save(name);
        qunsetenv(name.constData());
    }

private:
    void Save(const QByteArray& name)
    {
        std::optional<QByteArray> value;
        if (qEnvironmentVariableIsSet(name.constData()))
            value = qgetenv(name.constData());
        saved_.emplace_back(name, std::move(value));
    }

    std::vector<std::pair<QByteArray, std::optional<QByteArray>>> saved_;
};

} // namespace quarvel::test
