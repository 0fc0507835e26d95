#include "Config_Diff.h"

#include "image/Image_Fields.h"
#include "params/Par_Gen_Rows.h"

namespace vo {

QList<Diff_Line> Diff_Par_Gen(const Par_Gen& A, const Par_Gen& B, const Shared_State& State) {
    const QList<Par_Row> Rows_A = Par_Rows(A, State);
    const QList<Par_Row> Rows_B = Par_Rows(B, State);
    QList<Diff_Line> Lines;
    for (qsizetype I = 0; I < Rows_A.size(); ++I) {
        // Shown texts can match while the stored values differ ("-1" and an index out of range
        // both show nothing), so the stored values decide.
        bool Differs = false;
        for (const QString& Element : Rows_A[I].Elements) {
            const Par_Field& Field = *Find_Par_Field(Element);
            Differs = Differs || Field_Text(A, Field) != Field_Text(B, Field);
        }
        if (Differs)
            Lines.append({Rows_A[I].Caption(), Rows_A[I].Elements, Rows_A[I].Value, Rows_B[I].Value});
    }
    return Lines;
}

std::optional<QList<Diff_Line>> Diff_Images(const QByteArray& A, const QByteArray& B, QString& Reason) {
    const std::optional<QList<Image_Field>> Fields_A = Image_Fields(A);
    const std::optional<QList<Image_Field>> Fields_B = Image_Fields(B);
    if (!Fields_A || !Fields_B || Fields_A->size() != Fields_B->size()) {
        Reason =
            QStringLiteral("not two image files of one kind (sizes %1 and %2 bytes; a bankK.bin holds 2048, "
                           "a bank.bin 4 or 19)")
                .arg(A.size())
                .arg(B.size());
        return std::nullopt;
    }
    QList<Diff_Line> Lines;
    for (qsizetype I = 0; I < Fields_A->size(); ++I)
        if (Fields_A->at(I).Value != Fields_B->at(I).Value)
            Lines.append({Fields_A->at(I).Name, {}, Fields_A->at(I).Value, Fields_B->at(I).Value});
    return Lines;
}

QString Diff_Text(const Diff_Line& Line) {
    return QStringLiteral("%1: %2 \u2192 %3").arg(Line.Label, Line.From, Line.To);
}

} // namespace vo
