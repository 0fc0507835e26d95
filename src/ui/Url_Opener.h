#pragma once

#include <QString>

namespace vo {

// Opens a web page in the user's browser, or a file in the program the system has for it; false
// when the system could not hand it over. Tests record the address instead.
class Url_Opener {
public:
    virtual ~Url_Opener() = default;
    virtual bool Open_Url(const QString& Url) = 0;
};

class Desktop_Url_Opener final : public Url_Opener {
public:
    bool Open_Url(const QString& Url) override;
};

} // namespace vo
