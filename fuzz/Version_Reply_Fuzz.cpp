// Any reply body of the version service through Check_Version's decision and Conv_Version.
#include "Fuzz_Require.h"
#include "options/Version_Check.h"

#include <string>

namespace {

// Answers every request with the fuzzer's bytes as a good reply.
class Canned_Client final : public vo::Http_Client {
public:
    explicit Canned_Client(std::string Body) : Body(std::move(Body)) {}

    vo::Http_Reply Get(const vo::Http_Request&, std::stop_token) override { return {200, Body, {}}; }

private:
    std::string Body;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    std::string Body(reinterpret_cast<const char*>(Data), Size);
    const QString Reply = QString::fromStdString(Body);
    const int Version = vo::Conv_Version(Reply);
    vo_fuzz::Require(Version <= 9999, "a version has four digits");
    Canned_Client Client(std::move(Body));
    const bool Newer = vo::Check_Version(Client, vo::Version_Service{});
    vo_fuzz::Require(Newer == vo::Reply_Reports_Newer_Version(Reply), "the check decides on the reply alone");
    return 0;
}
