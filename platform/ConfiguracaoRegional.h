#pragma once
// The machine's regional settings, as the locale the program checks at every activation.
#include <QLocale>

namespace zove {

class ConfiguracaoRegional {
public:
    virtual ~ConfiguracaoRegional() = default;
    virtual QLocale locale() const = 0;
};

// The user's locale (LANG / LC_ALL on Linux).
class ConfiguracaoRegionalQt : public ConfiguracaoRegional {
public:
    QLocale locale() const override { return QLocale::system(); }
};

} // namespace zove
