#include "yosysnetlist.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace IPCore {

static bool readBits(const QJsonArray &array, QVector<NetBit> &bits)
{
    bits.clear();
    for (const QJsonValue &value : array) {
        NetBit bit;
        if (value.isDouble()) {
            bit.net = value.toInt();
        } else {
            const QString text = value.toString();
            if (text.size() != 1 || !QStringLiteral("01xz").contains(text.at(0)))
                return false;
            bit.constant = text.at(0).toLatin1();
        }
        bits << bit;
    }
    return true;
}

// QJsonObject sorts its keys, but the order of a module's ports is part of
// its interface: take it from the text, where Yosys keeps declaration order.
static QStringList portOrder(const QByteArray &json, const QString &module)
{
    struct Level
    {
        bool object;
        QString key;
    };
    QVector<Level> stack;
    QStringList order;
    bool expectKey = false;
    for (int i = 0; i < json.size(); ++i) {
        const char c = json.at(i);
        if (c == '"') {
            int end = i + 1;
            while (end < json.size() && json.at(end) != '"')
                end += json.at(end) == '\\' ? 2 : 1;
            const QString text = QJsonDocument::fromJson("[" + json.mid(i, end - i + 1) + "]")
                                         .array()
                                         .at(0)
                                         .toString();
            if (expectKey && !stack.isEmpty()) {
                stack.last().key = text;
                if (stack.size() == 4 && stack.at(0).key == QLatin1String("modules")
                    && stack.at(1).key == module && stack.at(2).key == QLatin1String("ports"))
                    order << text;
                expectKey = false;
            }
            i = end;
        } else if (c == '{' || c == '[') {
            stack.append({c == '{', QString()});
            expectKey = c == '{';
        } else if (c == '}' || c == ']') {
            if (!stack.isEmpty())
                stack.removeLast();
        } else if (c == ',') {
            expectKey = !stack.isEmpty() && stack.last().object;
        }
    }
    return order;
}

static QString moduleChoice(const QJsonObject &modules, const QString &top)
{
    if (!top.isEmpty())
        return top;
    for (auto it = modules.constBegin(); it != modules.constEnd(); ++it) {
        const QJsonValue mark = it.value()
                                        .toObject()
                                        .value(QStringLiteral("attributes"))
                                        .toObject()
                                        .value(QStringLiteral("top"));
        // Yosys writes attribute values as binary strings.
        if (mark.toString().toInt(nullptr, 2) == 1 || mark.toInt() == 1)
            return it.key();
    }
    return modules.size() == 1 ? modules.constBegin().key() : QString();
}

bool YosysNetlist::parse(const QByteArray &json,
                         const QString &origin,
                         const QString &top,
                         YosysNetlist &netlist,
                         QString &error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull()) {
        error = tr("\"%1\" is not a JSON netlist: %2 at offset %3.")
                        .arg(origin, parseError.errorString())
                        .arg(parseError.offset);
        return false;
    }
    const QJsonObject modules = document.object().value(QStringLiteral("modules")).toObject();
    const QString name = moduleChoice(modules, top);
    if (name.isEmpty() || !modules.contains(name)) {
        error = top.isEmpty() ? tr("\"%1\" names no top module.").arg(origin)
                              : tr("\"%1\" holds no module \"%2\".").arg(origin, top);
        return false;
    }
    const QJsonObject module = modules.value(name).toObject();
    netlist = YosysNetlist();
    netlist.moduleName = name;

    const QJsonObject netnames = module.value(QStringLiteral("netnames")).toObject();
    const QJsonObject ports = module.value(QStringLiteral("ports")).toObject();
    QStringList order = portOrder(json, name);
    if (order.size() != ports.size())
        order = ports.keys();
    for (const QString &portName : qAsConst(order)) {
        const QJsonObject object = ports.value(portName).toObject();
        const QJsonObject wire = netnames.value(portName).toObject();
        NetlistPort port;
        port.name = portName;
        const QString direction = object.value(QStringLiteral("direction")).toString();
        port.direction = direction == QLatin1String("output")  ? NetlistPort::Output
                         : direction == QLatin1String("inout") ? NetlistPort::Inout
                                                               : NetlistPort::Input;
        if (!readBits(object.value(QStringLiteral("bits")).toArray(), port.bits)
            || port.bits.isEmpty()) {
            error = tr("\"%1\": port \"%2\" of \"%3\" has no valid bits.")
                            .arg(origin, port.name, name);
            return false;
        }
        port.offset = object.value(QStringLiteral("offset"))
                              .toInt(wire.value(QStringLiteral("offset")).toInt());
        port.upto = object.value(QStringLiteral("upto"))
                            .toInt(wire.value(QStringLiteral("upto")).toInt())
                    != 0;
        port.bus = port.width() > 1 || port.offset != 0 || port.upto;
        netlist.ports << port;
    }

    for (auto it = netnames.constBegin(); it != netnames.constEnd(); ++it) {
        const QJsonObject wire = it.value().toObject();
        const QString init = wire.value(QStringLiteral("attributes"))
                                     .toObject()
                                     .value(QStringLiteral("init"))
                                     .toString();
        if (init.isEmpty())
            continue;
        QVector<NetBit> bits;
        readBits(wire.value(QStringLiteral("bits")).toArray(), bits);
        // The init text is most significant bit first.
        for (int i = 0; i < bits.size() && i < init.size(); ++i) {
            const char value = init.at(init.size() - 1 - i).toLatin1();
            if (!bits.at(i).isConstant() && (value == '0' || value == '1'))
                netlist.initValues.insert(bits.at(i).net, value);
        }
    }

    const QJsonObject cells = module.value(QStringLiteral("cells")).toObject();
    for (auto it = cells.constBegin(); it != cells.constEnd(); ++it) {
        const QJsonObject object = it.value().toObject();
        NetlistCell cell;
        cell.name = it.key();
        cell.type = object.value(QStringLiteral("type")).toString();
        const QJsonObject parameters = object.value(QStringLiteral("parameters")).toObject();
        for (auto p = parameters.constBegin(); p != parameters.constEnd(); ++p)
            cell.parameters.insert(p.key(),
                                   p.value().isString() ? p.value().toString()
                                                        : QString::number(p.value().toInt(), 2));
        const QJsonObject connections = object.value(QStringLiteral("connections")).toObject();
        for (auto c = connections.constBegin(); c != connections.constEnd(); ++c) {
            QVector<NetBit> bits;
            if (!readBits(c.value().toArray(), bits)) {
                error = tr("\"%1\": connection %2 of cell \"%3\" is malformed.")
                                .arg(origin, c.key(), cell.name);
                return false;
            }
            cell.connections.insert(c.key(), bits);
        }
        netlist.cells << cell;
    }
    return true;
}

bool YosysNetlist::read(const QString &jsonPath,
                        const QString &top,
                        YosysNetlist &netlist,
                        QString &error)
{
    QFile file(jsonPath);
    if (!file.open(QIODevice::ReadOnly)) {
        error = tr("Cannot read the netlist \"%1\": %2.").arg(jsonPath, file.errorString());
        return false;
    }
    return parse(file.readAll(), jsonPath, top, netlist, error);
}

} // namespace IPCore
