#include "Ip_Address.h"

#include "util/Text_Convert.h"

namespace vo {

namespace {

// Part := the trimmed text before the first full stop of S, S := the trimmed text after it.
bool Split_Off(QString& S, QString& Part) {
    const qsizetype Stop = S.indexOf(u'.');
    if (Stop < 0)
        return false;
    Part = Trim_Text(S.left(Stop));
    S = Trim_Text(S.mid(Stop + 1));
    return true;
}

bool Is_Byte(const QString& Part) {
    const int Value = Text_To_Int_Def(Part, 1000);
    return Value >= 0 && Value <= 255;
}

} // namespace

bool Split_IP_Address(const QString& Text, QString& A, QString& B, QString& C, QString& D) {
    QString S = Trim_Text(Text);
    if (!Split_Off(S, A) || !Split_Off(S, B) || !Split_Off(S, C))
        return false;
    D = S;
    return Is_Byte(A) && Is_Byte(B) && Is_Byte(C) && Is_Byte(D);
}

QString Join_IP_Address(const QString& A, const QString& B, const QString& C, const QString& D) {
    return A + u'.' + B + u'.' + C + u'.' + D;
}

} // namespace vo
