#pragma once

#include <QString>

namespace vo {

// Opens a web page in the user's browser; tests record the address instead.
class Url_Opener {
public:
    virtual ~Url_Opener() = default;
    virtual void Open_Url(const QString& Url) = 0;
};

class Desktop_Url_Opener final : public Url_Opener {
public:
    void Open_Url(const QString& Url) override;
};

} // namespace vo
