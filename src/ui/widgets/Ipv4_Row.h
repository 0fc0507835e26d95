#pragma once

#include <QWidget>
#include <array>

class QLineEdit;

namespace vo {

// Where the four byte fields of an address row sit, relative to the row's top left.
struct Ipv4_Row_Shape {
    int Byte_Width;
    int Byte_Pitch;
    int Height;
    // How far below a field's top the "." between two fields sits.
    int Dot_Top;
};

// Four byte fields of a dotted address with a "." between neighbours. The "." key is never typed:
// it moves on to the next byte, from the last byte to the first of the Next row when one is set
// and can take the focus, else nowhere.
class Ipv4_Row final : public QWidget {
    Q_OBJECT
public:
    // The fields are named Name_Prefix followed by 1 to 4.
    Ipv4_Row(const QString& Name_Prefix, const Ipv4_Row_Shape& Shape, QWidget* Parent);

    void Set_Next(Ipv4_Row* Row) { Next = Row; }
    QLineEdit* Byte(int Index) const { return Bytes[static_cast<size_t>(Index)]; }
    static constexpr int Byte_Count = 4;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    std::array<QLineEdit*, Byte_Count> Bytes{};
    Ipv4_Row* Next = nullptr;
};

} // namespace vo
