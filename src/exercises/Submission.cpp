#include "exercises/Submission.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>

#include "core/Fnv1a.h"

namespace kivo::exercises {
namespace {

using K = ObjectKind;

// Keys that hold state or texts: never a difference (see Compare).
constexpr const char* kIgnoredKeys[] = {
    "Tag:",    "Desc:",  "Iant:",   "Erroant:", "PVant:",  "Habilita Modo Remoto:", "Habilita Modo Auto:",
    "X0:",     "Y2:",    "Y0old:",  "Y1old:",   "Y1old2:", "x5old:",                "IntAc1:",
    "IntAc2:",
};

// A record line "{C01/03} Kc:0.5": its object and key ("Kc:"), or, for a
// line without a key (a state value), its position ("#28").
struct RecordLine {
    ObjectRef object;
    std::string key;
    std::string value;
};

std::optional<RecordLine> ParseRecordLine(const std::string& line) {
    if (line.size() < 8 || line[0] != '{') return std::nullopt;
    ObjectKind kind;
    switch (line[1]) {
        case 'C': kind = K::Controller; break;
        case 'P': kind = K::Process; break;
        case 'B': kind = K::Block; break;
        default: return std::nullopt;
    }
    const std::size_t slash = line.find('/');
    const std::size_t close = line.find('}');
    if (slash == std::string::npos || close == std::string::npos || slash > close) return std::nullopt;
    RecordLine r;
    r.object = {kind, std::atoi(line.substr(2, slash - 2).c_str())};
    std::string rest = line.substr(close + 1);
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    const std::size_t colon = rest.find(':');
    if (colon == std::string::npos) {
        r.key = "#" + line.substr(slash + 1, close - slash - 1);
        r.value = rest;
    } else {
        r.key = rest.substr(0, colon + 1);
        r.value = rest.substr(colon + 1);
    }
    return r;
}

bool Ignored(const std::string& key) {
    if (!key.empty() && key[0] == '#') return true;
    return std::any_of(std::begin(kIgnoredKeys), std::end(kIgnoredKeys), [&](const char* k) { return key == k; });
}

const FieldKey* FieldOfKey(ObjectKind kind, const std::string& key) {
    for (const FieldKey& f : FieldKeys())
        if (f.kind == kind && key == f.key) return &f;
    return nullptr;
}

bool Allowed(const Exercise& e, const ObjectRef& o, const std::string& key) {
    const auto it = e.allowed.find(o);
    if (it == e.allowed.end()) return false;
    const FieldKey* f = FieldOfKey(o.kind, key);
    return f && it->second.count(f->name) > 0;
}

using Records = std::map<ObjectRef, std::map<std::string, std::string>>;

Records RecordsOf(const std::vector<std::string>& lines) {
    Records r;
    for (const std::string& l : lines)
        if (auto rl = ParseRecordLine(l)) r[rl->object][rl->key] = rl->value;
    return r;
}

}  // namespace

const std::vector<FieldKey>& FieldKeys() {
    static const std::vector<FieldKey> kKeys = {
        {K::Controller, "kc", "Kc:"},
        {K::Controller, "ti", "Ti:"},
        {K::Controller, "td", "Td:"},
        {K::Controller, "bias", "Bias:"},
        {K::Controller, "setpoint_weight", "Fator a:"},
        {K::Controller, "filter", "Tf Filtro:"},
        {K::Controller, "output_min", "COmim:"},
        {K::Controller, "output_max", "COMax:"},
        {K::Controller, "scale_max", "Escala PVMax:"},
        {K::Controller, "scale_min", "Escala PVmin:"},
        {K::Controller, "pv", "Indice lista PV:"},
        {K::Controller, "action", "Tipo acao:"},
        {K::Controller, "derivative_on_pv", "Derivada na PV:"},
        {K::Controller, "structure", "Estrutura ISA:"},
        {K::Controller, "remote_setpoint", "Habilita SPR:"},
        {K::Controller, "remote_setpoint_source", "Indice lista SPR:"},
        {K::Controller, "feedforward", "Habilita FF:"},
        {K::Controller, "feedforward_formula", "Acao FF:"},
        {K::Controller, "feedback", "BackMV CK:"},
        {K::Controller, "feedback_source", "Endereço  BackMV:"},
        {K::Process, "input", "Indice lista PV:"},
        {K::Process, "gain", "Ganho:"},
        {K::Process, "dead_time", "Tempo Morto:"},
        {K::Process, "tau1", "Tal 1:"},
        {K::Process, "tau2", "Tal 2:"},
        {K::Process, "model", "Tipo FT:"},
        {K::Process, "oscillation", "Num.Ciclos:"},
        {K::Process, "lead", "Lead:"},
        {K::Process, "lag", "Lag:"},
        {K::Process, "saturator_disabled", "Habilita Desat Sat:"},
        {K::Process, "valve_curve", "Tipo Valv:"},
        {K::Process, "backlash", "Histerese:"},
        {K::Process, "stiction", "Agarramento:"},
        {K::Process, "rate_limit", "RateLimiter:"},
        {K::Process, "actuator_tau", "Const. Tempo Atuador:"},
        {K::Block, "formula", "Funcao:"},
        {K::Block, "low_limit", "Lim Inf:"},
        {K::Block, "high_limit", "Lim Sup:"},
        {K::Block, "low_limit_enabled", "Habilita Lim Inf:"},
        {K::Block, "high_limit_enabled", "Habilita Lim Sup:"},
    };
    return kKeys;
}

std::set<ObjectRef> ObjectsIn(const std::vector<std::string>& lines) {
    std::set<ObjectRef> objects;
    for (const std::string& l : lines)
        if (auto rl = ParseRecordLine(l)) objects.insert(rl->object);
    return objects;
}

std::map<ObjectRef, std::string> ObjectTags(const std::vector<std::string>& lines) {
    std::map<ObjectRef, std::string> tags;
    for (const std::string& l : lines)
        if (auto rl = ParseRecordLine(l); rl && rl->key == "Tag:" && !rl->value.empty()) tags[rl->object] = rl->value;
    return tags;
}

bool IsField(ObjectKind kind, std::string_view name) {
    return std::any_of(FieldKeys().begin(), FieldKeys().end(),
                       [&](const FieldKey& f) { return f.kind == kind && name == f.name; });
}

std::string ObjectName(const ObjectRef& o) {
    const char* kind = o.kind == K::Controller ? "controller" : o.kind == K::Process ? "process" : "block";
    return std::string(kind) + " " + std::to_string(o.number);
}

std::string Fingerprint(std::string_view bytes) {
    Fnv1a h;
    h.Add(bytes);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h.value()));
    return std::string("fnv1a64:") + text;
}

Comparison Compare(const Exercise& exercise, const std::vector<std::string>& plant,
                   const std::vector<std::string>& submission) {
    const Records p = RecordsOf(plant);
    const Records s = RecordsOf(submission);
    Comparison c;
    for (const auto& [object, fields] : s)
        if (!p.count(object)) c.differences.push_back(ObjectName(object) + ": added");
    for (const auto& [object, fields] : p) {
        const auto sub = s.find(object);
        if (sub == s.end()) {
            c.differences.push_back(ObjectName(object) + ": removed");
            continue;
        }
        for (const auto& [key, value] : fields) {
            if (Ignored(key) || Allowed(exercise, object, key)) continue;
            const auto it = sub->second.find(key);
            const std::string other = it == sub->second.end() ? "(none)" : it->second;
            if (other == value) continue;
            const FieldKey* f = FieldOfKey(object.kind, key);
            const std::string name = f ? f->name : key.substr(0, key.size() - 1);
            c.differences.push_back(ObjectName(object) + ": " + name + " " + value + " → " + other);
        }
    }
    // The graded project: the plant, with each allowed setting as submitted.
    c.gradedLines = plant;
    for (std::string& line : c.gradedLines) {
        const auto rl = ParseRecordLine(line);
        if (!rl || !Allowed(exercise, rl->object, rl->key)) continue;
        const auto sub = s.find(rl->object);
        if (sub == s.end()) continue;
        const auto it = sub->second.find(rl->key);
        if (it != sub->second.end()) line = line.substr(0, line.size() - rl->value.size()) + it->second;
    }
    return c;
}

}  // namespace kivo::exercises
