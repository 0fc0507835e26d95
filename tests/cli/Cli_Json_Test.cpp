#include "History_Run.h"
#include "Qt_Print.h"

#include <QSet>

namespace {

using vo_test::Json_Of;

struct Key {
    const char* Name;
    QJsonValue::Type Type;
};

using Keys = std::vector<Key>;
constexpr auto S = QJsonValue::String;
constexpr auto N = QJsonValue::Double;
constexpr auto B = QJsonValue::Bool;
constexpr auto A = QJsonValue::Array;
constexpr auto O = QJsonValue::Object;

// Object holds exactly these keys, each of its type.
void Expect_Keys(const QJsonObject& Object, const Keys& Wanted) {
    QSet<QString> Names;
    for (const Key& K : Wanted) {
        Names.insert(QLatin1String(K.Name));
        EXPECT_EQ(Object.value(QLatin1String(K.Name)).type(), K.Type) << K.Name;
    }
    const QStringList Found = Object.keys();
    EXPECT_EQ(QSet<QString>(Found.begin(), Found.end()), Names);
}

// The documented schemas: the top-level keys, and the keys of each item of the one list.
struct Schema {
    QStringList Args;
    int Exit_Code;
    Keys Top;
    const char* List;
    Keys Item; // empty: the items are strings
};

class Json_Output : public vo_test::History_Cli {
protected:
    void SetUp() override {
        History_Cli::SetUp();
        ASSERT_EQ(Update("exit 0").Exit_Code, 0);
        Id = Records()[0].toObject().value(QStringLiteral("id")).toString();
        Set({QStringLiteral("BAUD_ASCII=2")});
    }
    QString Id;
};

TEST_F(Json_Output, Each_Command_Prints_Its_Documented_Schema) {
    const QString Plant = QStringLiteral("Plant 1");
    const QString BankK = Config() + QStringLiteral("/bin/bankK.bin");
    const Schema Schemas[] = {
        {{QStringLiteral("show"), QStringLiteral("--json"), Plant},
         0,
         {{"configuration", S}, {"parameters", A}},
         "parameters",
         {{"element", S}, {"value", S}, {"text", S}, {"label", S}}},
        {{QStringLiteral("check"), QStringLiteral("--json"), Plant},
         0,
         {{"configuration", S}, {"ok", B}, {"message_id", N}, {"message", S}},
         nullptr,
         {}},
        {{QStringLiteral("inspect"), QStringLiteral("--json"), BankK},
         0,
         {{"file", S}, {"kind", S}, {"size", N}, {"valid", B}, {"fields", A}},
         "fields",
         {{"name", S}, {"value", S}}},
        {{QStringLiteral("ports"), QStringLiteral("--json")}, 0, {{"ports", A}, {"entries", A}}, "ports", {}},
        {{QStringLiteral("history"), QStringLiteral("--json"), Plant},
         0,
         {{"configuration", S}, {"commissioning", O}, {"records", A}, {"problems", A}},
         "records",
         {{"format", N},
          {"id", S},
          {"kind", S},
          {"time", S},
          {"user", S},
          {"host", S},
          {"program_version", S},
          {"sha256", O},
          {"mode", S},
          {"target", S},
          {"adapter", O},
          {"option", N},
          {"read_back", B},
          {"updater", S},
          {"outcome", O},
          {"duration_ms", N},
          {"snapshot", O}}},
        {{QStringLiteral("diff"), QStringLiteral("--json"), Plant + u'@' + Id, Plant},
         0,
         {{"a", S}, {"b", S}, {"kind", S}, {"equal", B}, {"changes", A}},
         "changes",
         {{"label", S}, {"elements", A}, {"from", S}, {"to", S}, {"from_values", A}, {"to_values", A}}},
    };
    for (const Schema& Case : Schemas) {
        SCOPED_TRACE(Case.Args.join(u' ').toStdString());
        const vo_test::Run_Result Result = Run(Case.Args);
        EXPECT_EQ(Result.Exit_Code, Case.Exit_Code);
        const QJsonObject Top = Json_Of(Result);
        Expect_Keys(Top, Case.Top);
        if (!Case.List)
            continue;
        for (const QJsonValue& Item : Top.value(QLatin1String(Case.List)).toArray()) {
            if (Case.Item.empty())
                EXPECT_TRUE(Item.isString());
            else
                Expect_Keys(Item.toObject(), Case.Item);
        }
    }
}

// The values behind the schemas: what the text output says, in the same terms.
TEST_F(Json_Output, Values_Match_The_Configuration) {
    const QJsonObject Show =
        Json_Of(Run({QStringLiteral("show"), QStringLiteral("--json"), QStringLiteral("Plant 1")}));
    const QJsonArray Parameters = Show.value(QStringLiteral("parameters")).toArray();
    ASSERT_EQ(Parameters.size(), 27);
    const QJsonObject Baud = Parameters[9].toObject();
    EXPECT_EQ(Baud.value(QStringLiteral("element")).toString(), QStringLiteral("BAUD_ASCII"));
    EXPECT_EQ(Baud.value(QStringLiteral("value")).toString(), QStringLiteral("2"));
    EXPECT_EQ(Baud.value(QStringLiteral("text")).toString(), QStringLiteral("4800"));
    EXPECT_EQ(Baud.value(QStringLiteral("label")).toString(), QStringLiteral("Modbus ASCII - Baudrate"));

    const QJsonObject Diff = Json_Of(Run({QStringLiteral("diff"), QStringLiteral("--json"),
                                          QStringLiteral("Plant 1@") + Id, QStringLiteral("Plant 1")}));
    EXPECT_FALSE(Diff.value(QStringLiteral("equal")).toBool());
    const QJsonArray Changes = Diff.value(QStringLiteral("changes")).toArray();
    ASSERT_EQ(Changes.size(), 1);
    EXPECT_EQ(Changes[0].toObject().value(QStringLiteral("elements")).toArray(),
              QJsonArray{QStringLiteral("BAUD_ASCII")});
    EXPECT_EQ(Changes[0].toObject().value(QStringLiteral("from")).toString(), QStringLiteral("115200"));
    EXPECT_EQ(Changes[0].toObject().value(QStringLiteral("to")).toString(), QStringLiteral("4800"));

    vo_test::Write_All(ParGen(), "<Par_Gen><SER_RTU>0</SER_RTU><DATA_RTU>1</DATA_RTU></Par_Gen>");
    const vo_test::Run_Result Failed =
        Run({QStringLiteral("check"), QStringLiteral("--json"), QStringLiteral("Plant 1")});
    EXPECT_EQ(Failed.Exit_Code, 1);
    const QJsonObject Check = Json_Of(Failed);
    EXPECT_FALSE(Check.value(QStringLiteral("ok")).toBool());
    EXPECT_EQ(Check.value(QStringLiteral("message_id")).toInt(), 479);
}

} // namespace
