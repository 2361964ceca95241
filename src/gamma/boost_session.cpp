#include "gamma/boost_session.h"

namespace lumeq {

namespace {
constexpr int kYieldRewrites = 3;  // within
constexpr int kYieldTicks = 30;    // ticks of the ramp watch: half a minute
}  // namespace

BoostSession::Started BoostSession::Start() {
    if (m_ports.nightLight) m_ports.nightLight->Hold(true);
    if (m_engine && m_engine->HasCapture()) {
        // Already on (a command that waited, or came twice): the level set again, never a
        // second capture, which would take the boost for the displays' own ramp.
        m_engine->ReapplyLevel();
    } else {
        if (!m_engine) {
            m_engine = std::make_unique<BoostEngine>(m_ports.displays, m_ports.levelStore, m_ports.journal);
            m_engine->YieldAfter(kYieldRewrites, kYieldTicks);
        }
        m_engine->Initialize(m_ports.slider);
    }
    // No display's ramp captured means nothing could be boosted: a refusal, told as one.
    return {!m_engine->HasCapture() || m_engine->LastRampRefused(), m_engine->RecordFailed()};
}

bool BoostSession::Stop() {
    bool givenBack = true;
    if (m_engine) {
        givenBack = m_engine->Release();
        m_engine.reset();
    }
    if (m_ports.nightLight) m_ports.nightLight->Hold(false);
    return givenBack;
}

StepOutcome BoostSession::Step(int step) { return StepLevel(m_ports.slider, step, m_engine.get()); }

void BoostSession::OnSliderInput() {
    if (m_engine) m_engine->OnSliderInput();
}

bool BoostSession::OnDisplaysChanged() {
    if (m_engine) {
        m_engine->ReapplyLevel();
        return true;
    }
    return !m_ports.journal || GiveBackOwed(m_ports.displays, *m_ports.journal);
}

bool BoostSession::WatchRamp() {
    if (!m_engine) return false;
    m_engine->ReapplyIfReplaced();
    return m_engine->TakeYielded();
}

bool BoostSession::WatchAfterForeground(bool tick) {
    if (!m_engine) return false;
    m_engine->ReapplyIfReplaced(true, tick);
    return m_engine->TakeYielded();
}

std::vector<std::pair<std::string, DisplayFitness>> BoostSession::TakeUnfitToTell() {
    std::vector<std::pair<std::string, DisplayFitness>> news;
    if (!m_engine) return news;
    for (const auto& [name, fitness] : m_engine->Unfit()) {
        m_sawHdr = m_sawHdr || fitness == DisplayFitness::Hdr;
        const auto told = m_toldUnfit.find(name);
        if (told != m_toldUnfit.end() && told->second == fitness) continue;
        m_toldUnfit[name] = fitness;
        news.emplace_back(name, fitness);
    }
    return news;
}

std::optional<std::pair<std::string, DisplayFitness>> BoostSession::NothingTakesRamps() const {
    if (!m_engine || m_engine->HasCapture() || m_engine->Unfit().empty()) return std::nullopt;
    return *m_engine->Unfit().begin();
}

}  // namespace lumeq
