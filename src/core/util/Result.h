#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace vo {

// Why something could not be done, in words that may reach the user. Only a Failure makes a
// Result an error, so a text that is the value is never taken for one that says why not.
struct Failure {
    explicit Failure(QString Why = QString()) : Text(std::move(Why)) {}

    QString Text;
};

// A value, or the words saying why there is none.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T Value) : Held(std::in_place_index<0>, std::move(Value)) {}
    Result(Failure Why) : Held(std::in_place_index<1>, std::move(Why)) {}

    bool Has_Value() const { return Held.index() == 0; }
    explicit operator bool() const { return Has_Value(); }

    // The value; asking an error for it throws std::bad_variant_access.
    T& operator*() & { return std::get<0>(Held); }
    const T& operator*() const& { return std::get<0>(Held); }
    T&& operator*() && { return std::get<0>(std::move(Held)); }
    T* operator->() { return &std::get<0>(Held); }
    const T* operator->() const { return &std::get<0>(Held); }

    // Why there is no value; empty when there is one.
    const QString& Error() const {
        static const QString None;
        const Failure* Why = std::get_if<1>(&Held);
        return Why ? Why->Text : None;
    }

private:
    std::variant<T, Failure> Held;
};

// Done, or the words saying why not.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure Why) : Failed(true), Reason(std::move(Why.Text)) {}

    bool Has_Value() const { return !Failed; }
    explicit operator bool() const { return Has_Value(); }

    // Why it was not done; empty when it was.
    const QString& Error() const { return Reason; }

private:
    bool Failed = false;
    QString Reason;
};

using Status = Result<void>;

} // namespace vo
