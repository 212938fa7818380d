#pragma once
// Progress of a long computation (fast run, XY run, archive load), in whole
// percent. The window moves its progress bar; headless callers may ignore it.
namespace kivo {

class ObservadorProgresso {
public:
    virtual ~ObservadorProgresso() = default;
    // Called with 0..100 whenever the value changes.
    virtual void AoProgresso(int percent) = 0;
};

// Reports a percentage only when it differs from the last one reported, so
// that a loop may call it at every step.
class Progresso {
public:
    explicit Progresso(ObservadorProgresso* obs) : obs_(obs) {}
    void Informa(int percent) {
        if (obs_ && percent != ultimo_) {
            ultimo_ = percent;
            obs_->AoProgresso(percent);
        }
    }

private:
    ObservadorProgresso* obs_;
    int ultimo_ = -1;
};

}  // namespace kivo
