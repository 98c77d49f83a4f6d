#include "stats/Fangempfehlung.h"
#include "base/Win1252.h"
#include "data/CatchRecord.h"
#include "stats/Labels.h"
#include "stats/StatRead.h"
#include "storage/TTextTable.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace statistik {
namespace {

// Candidate texts as stored bytes, each leading to its positions in the candidate list.
class Candidates {
public:
    explicit Candidates(const QStringList& texts) : m_size(int(texts.size()))
    {
        for (int i = 0; i < texts.size(); ++i) {
            QByteArray bytes;
            if (win1252::encode(texts[i], &bytes))
                m_positions[bytes.toStdString()].push_back(i);
        }
    }
    int size() const { return m_size; }
    // Positions equal to the value (exact comparison); nullptr for none.
    const std::vector<int>* find(QByteArrayView value) const
    {
        m_key.assign(value.data(), size_t(value.size()));
        const auto it = m_positions.find(m_key);
        return it == m_positions.end() ? nullptr : &it->second;
    }

private:
    int m_size;
    std::unordered_map<std::string, std::vector<int>> m_positions;
    mutable std::string m_key;
};

// The first entry with the highest count; a later one wins only with a strictly higher count.
int firstBest(const std::vector<int>& counts)
{
    int winner = 0;
    for (size_t i = 1; i < counts.size(); ++i)
        if (counts[i] > counts[size_t(winner)])
            winner = int(i);
    return winner;
}

} // namespace

const QStringList& hourSlots()
{
    static const QStringList l = [] {
        QStringList out;
        for (int h = 1; h <= 23; ++h)
            out << QStringLiteral("%1 Uhr").arg(h);
        out << QStringLiteral("0 Uhr");
        return out;
    }();
    return l;
}

std::array<EmpfehlungRow, 12> fangempfehlung(const TTextTable& db, const QStringList& species, const QStringList& baits)
{
    const int cDate = db.FieldIndex(catchrec::Fangdatum);
    const int cTime = db.FieldIndex(catchrec::Fangzeit);
    const int cSpecies = db.FieldIndex(catchrec::Fischart);
    const int cBait = db.FieldIndex(catchrec::Koeder);
    const Candidates speciesC(species), baitsC(baits);

    // One pass reads every date (a bad one ends the operation before any row is shown) and
    // sorts the rows into their months; counting a month then touches only its own rows.
    struct RowInfo {
        int row;
        int weekday; // 1 = Sunday
    };
    std::array<std::vector<RowInfo>, 12> monthRows;
    for (int row = 1; row <= db.RowCount(); ++row) {
        const QDate date = read::date(db.view(row, cDate));
        monthRows[size_t(date.month() - 1)].push_back({row, labels::sundayBasedWeekday(date.dayOfWeek())});
    }

    // Bait counts over all catches of one species, filled the first time it is recommended.
    std::unordered_map<int, std::vector<int>> baitsOfSpecies;
    const auto baitsFor = [&](int speciesIndex) -> const std::vector<int>& {
        auto it = baitsOfSpecies.find(speciesIndex);
        if (it != baitsOfSpecies.end())
            return it->second;
        std::vector<int> counts(size_t(baitsC.size()), 0);
        QByteArray name;
        win1252::encode(species[speciesIndex], &name);
        for (int row = 1; row <= db.RowCount(); ++row) {
            if (db.view(row, cSpecies) != name)
                continue;
            if (const auto* hits = baitsC.find(db.view(row, cBait)))
                for (int b : *hits)
                    ++counts[size_t(b)];
        }
        return baitsOfSpecies.emplace(speciesIndex, std::move(counts)).first->second;
    };

    std::array<EmpfehlungRow, 12> result;
    for (int m = 0; m < 12; ++m) {
        EmpfehlungRow& out = result[size_t(m)];
        out.monat = labels::months()[m];
        const auto& rows = monthRows[size_t(m)];
        if (rows.empty())
            continue;

        std::vector<int> speciesCounts(size_t(speciesC.size()), 0), baitCounts(size_t(baitsC.size()), 0);
        std::vector<int> days(7, 0), hours(24, 0);
        for (const RowInfo& r : rows) {
            if (const auto* hits = baitsC.find(db.view(r.row, cBait)))
                for (int b : *hits)
                    ++baitCounts[size_t(b)];
            if (const auto* hits = speciesC.find(db.view(r.row, cSpecies)))
                for (int s : *hits)
                    ++speciesCounts[size_t(s)];
            ++days[size_t(r.weekday - 1)];
            ++hours[size_t(labels::hourBucket(read::time(db.view(r.row, cTime)).hour()) - 1)];
        }

        // Without candidate species nothing can be recommended, and the bait is the month's best.
        if (speciesC.size() > 0) {
            const int recommended = firstBest(speciesCounts);
            out.fischart = species[recommended];
            const std::vector<int>& extra = baitsFor(recommended);
            for (size_t b = 0; b < baitCounts.size(); ++b)
                baitCounts[b] += extra[b];
        }
        if (baitsC.size() > 0)
            out.koeder = baits[firstBest(baitCounts)];
        out.tag = labels::weekday(firstBest(days) + 1);
        out.uhrzeit = hourSlots()[firstBest(hours)];
    }
    return result;
}

} // namespace statistik
