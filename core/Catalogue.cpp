#include "Catalogue.h"

namespace kestrix {
namespace {

constexpr char kCtrlZ = 26;

// Walks a text one line at a time.
class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text) {
        const auto end = m_text.find(kCtrlZ);
        if (end != std::string_view::npos)
            m_text = m_text.substr(0, end);
    }

    bool atEnd() const { return m_pos >= m_text.size(); }

    std::string readLine() {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != '\r' && m_text[m_pos] != '\n')
            ++m_pos;
        std::string line(m_text.substr(start, m_pos - start));
        if (m_pos < m_text.size()) {
            const bool carriageReturn = m_text[m_pos] == '\r';
            ++m_pos;
            if (carriageReturn && m_pos < m_text.size() && m_text[m_pos] == '\n')
                ++m_pos;
        }
        return line;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace

std::string Catalogue::shownCost(int index) const {
    const std::string& cost = costText(index);
    return cost == m_marker ? std::string(kVariableCostText) : cost;
}

void Catalogue::appendName(std::string name) {
    m_names.push_back(std::move(name));
    m_costs.emplace_back();
}

void Catalogue::setLastCost(std::string cost) {
    if (!m_costs.empty())
        m_costs.back() = std::move(cost);
}

void Catalogue::clear() {
    m_names.clear();
    m_costs.clear();
}

void parseCatalogue(std::string_view fileBytes, Catalogue& catalogue) {
    LineReader reader(fileBytes);
    while (!reader.atEnd()) {
        catalogue.appendName(reader.readLine());
        catalogue.setLastCost(reader.readLine());
    }
}

} // namespace kestrix
