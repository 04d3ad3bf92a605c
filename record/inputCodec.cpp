#include "record/inputCodec.h"

#include "record/cborFields.h"

namespace {

// The fields of each kind of input, in the file's order.
template <class F> void ForEachInputField(NewGameInput& g, F&& f) { f(g.players); f(g.rounds); f(g.windDirection); f(g.windStrength); }
template <class F> void ForEachInputField(SeatsInput& s, F&& f) { for (int& c : s.choice) f(c); }
template <class F> void ForEachInputField(RoundSeedInput& r, F&& f) { f(r.seed); }
template <class F> void ForEachInputField(TankCommandInput& c, F&& f) { f(c.command); }
template <class F> void ForEachInputField(BombChoiceInput& b, F&& f) { f(b.kind); }
template <class F> void ForEachInputField(WindTickInput&, F&&) {}
template <class F> void ForEachInputField(ShopVisitInput& v, F&& f) { f(v.slot); f(v.money); for (int& s : v.stock) f(s); }
template <class F> void ForEachInputField(TurnStartInput& t, F&& f) { f(t.digest); }

} // namespace

QCborArray InputToCbor(const Input& input)
{
    QCborArray out;
    out.append(static_cast<qint64>(input.body.index()));
    out.append(input.stamp.turn);
    out.append(input.stamp.step);
    out.append(input.stamp.msIntoTurn);
    Input copy = input;
    std::visit([&](auto& body) { ForEachInputField(body, CborWriter{out}); }, copy.body);
    return out;
}

bool InputFromCbor(const QCborValue& value, Input* input)
{
    if (!value.isArray())
        return false;
    const QCborArray fields = value.toArray();
    CborReader reader{fields};
    qint64 kind = 0;
    if (!reader.Take(0, std::variant_size_v<InputBody> - 1, &kind) || !EmplaceAlternative(static_cast<std::size_t>(kind), &input->body))
        return false;
    reader(input->stamp.turn);
    reader(input->stamp.step);
    reader(input->stamp.msIntoTurn);
    std::visit([&](auto& body) { ForEachInputField(body, reader); }, input->body);
    return reader.AllRead();
}
