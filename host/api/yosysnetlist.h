#pragma once

#include "hostexport.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QVector>

namespace IPCore {

/// One bit of a net in a Yosys netlist: a numbered net, or a constant
/// ('0', '1', 'x' or 'z') when `net` is negative.
struct NetBit
{
    int net = -1;
    char constant = 'x';

    bool isConstant() const { return net < 0; }
};

/// A port of the top module; bits[0] is the least significant bit.
struct NetlistPort
{
    enum Direction { Input, Output, Inout };

    QString name;
    Direction direction = Input;
    QVector<NetBit> bits;
    int offset = 0;
    bool upto = false;
    /// Declared as a bus, even of width one.
    bool bus = false;

    int width() const { return int(bits.size()); }
    /// The HDL index of bits[i].
    int index(int i) const { return upto ? offset + width() - 1 - i : offset + i; }
};

/// A cell instance; parameters hold Yosys's binary strings, most significant bit first.
struct NetlistCell
{
    QString name;
    QString type;
    QMap<QString, QString> parameters;
    QMap<QString, QVector<NetBit>> connections;
};

/// The top module of a netlist written by Yosys's write_json: what the
/// wrapper templates and the VHDL netlist are made from.
struct IPCORE_API_EXPORT YosysNetlist
{
    Q_DECLARE_TR_FUNCTIONS(YosysNetlist)

public:
    QString moduleName;
    QVector<NetlistPort> ports;
    QVector<NetlistCell> cells;
    /// Initial values of nets that have one ('0' or '1').
    QMap<int, char> initValues;

    /// Reads module `top` of the JSON netlist (the module marked top when
    /// `top` is empty). False with `error` naming the file and the fault.
    static bool
    read(const QString &jsonPath, const QString &top, YosysNetlist &netlist, QString &error);
    /// The same from JSON text; `origin` names it in errors.
    static bool parse(const QByteArray &json,
                      const QString &origin,
                      const QString &top,
                      YosysNetlist &netlist,
                      QString &error);
};

} // namespace IPCore
