#include "Config_Diff.h"

#include "Update_History.h"
#include "image/Image_Fields.h"
#include "params/Par_Gen_File.h"
#include "params/Par_Gen_Rows.h"
#include "util/Path_Join.h"

namespace vo {

QList<Diff_Line> Diff_Par_Gen(const Par_Gen& A, const Par_Gen& B, const Shared_State& State) {
    const QList<Par_Row> Rows_A = Par_Rows(A, State);
    const QList<Par_Row> Rows_B = Par_Rows(B, State);
    QList<Diff_Line> Lines;
    for (qsizetype I = 0; I < Rows_A.size(); ++I) {
        const Par_Row& Row_A = Rows_A[I];
        Diff_Line Line{Row_A.Caption(), Row_A.Elements, Row_A.Value, Rows_B[I].Value};
        for (const QString& Element : Row_A.Elements) {
            const Par_Field& Field = *Find_Par_Field(Element);
            Line.From_Values.append(Field_Text(A, Field));
            Line.To_Values.append(Field_Text(B, Field));
        }
        const bool Shown_Empty = Line.From.isEmpty() && Line.To.isEmpty();
        if (Line.From != Line.To || (Shown_Empty && Line.From_Values != Line.To_Values))
            Lines.append(std::move(Line));
    }
    return Lines;
}

Result<QList<Diff_Line>> Diff_Images(const QByteArray& A, const QByteArray& B) {
    const std::optional<QList<Image_Field>> Fields_A = Image_Fields(A);
    const std::optional<QList<Image_Field>> Fields_B = Image_Fields(B);
    if (!Fields_A || !Fields_B || Fields_A->size() != Fields_B->size())
        return Failure(
            QStringLiteral("not two image files of one kind (sizes %1 and %2 bytes; a bankK.bin holds 2048, "
                           "a bank.bin 4 or 19)")
                .arg(A.size())
                .arg(B.size()));
    QList<Diff_Line> Lines;
    for (qsizetype I = 0; I < Fields_A->size(); ++I)
        if (Fields_A->at(I).Value != Fields_B->at(I).Value)
            Lines.append({Fields_A->at(I).Name, {}, Fields_A->at(I).Value, Fields_B->at(I).Value});
    return Lines;
}

Status Load_Snapshot_Par_Gen(const QString& Project_Path, const Update_Record& Record, Par_Gen& Set,
                             Snapshot_Check& Check) {
    Check = Check_Snapshot(Project_Path, Record);
    if (Check.State == Snapshot_State::Removed || Check.State == Snapshot_State::Missing_Files)
        return Failure(QStringLiteral("the snapshot of record \"%1\" is %2 %3")
                           .arg(Record.Id, State_Name(Check.State), Check.Detail)
                           .trimmed());
    return Load_Par_Gen(Join_Path(Snapshot_Folder(Project_Path, Record.Id), QStringLiteral("ParGen.xml")),
                        Set);
}

Change_Summary Changes_Since_Success(const QString& Project_Path, const QString& ParGen_File,
                                     const Shared_State& State) {
    Change_Summary Summary;
    const std::optional<Update_Record> Last = Last_Successful_Update(Project_Path);
    if (!Last)
        return Summary;
    Summary.Has_Success = true;
    Par_Gen Before;
    Par_Gen Now;
    Snapshot_Check Check;
    if (const Status Earlier = Load_Snapshot_Par_Gen(Project_Path, *Last, Before, Check); !Earlier)
        Summary.Error_Text = Earlier.Error();
    else if (const Status Current = Load_Par_Gen(ParGen_File, Now); !Current)
        Summary.Error_Text = Current.Error();
    else
        Summary.Lines = Diff_Par_Gen(Before, Now, State);
    return Summary;
}

QString Diff_Text(const Diff_Line& Line) {
    return QStringLiteral("%1: %2 \u2192 %3").arg(Line.Label, Line.From, Line.To);
}

} // namespace vo
