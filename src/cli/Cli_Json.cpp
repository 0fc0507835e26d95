#include "Cli_Json.h"

#include <QJsonDocument>

namespace vo {

bool Take_Option(QStringList& Args, const QString& Option) {
    return Args.removeAll(Option) > 0;
}

void Print_Json(Cli_Context& Context, const QJsonObject& Object) {
    Context.Out << QString::fromUtf8(QJsonDocument(Object).toJson(QJsonDocument::Indented));
}

} // namespace vo
