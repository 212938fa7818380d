#pragma once
// Progress of a long computation (fast run, XY run, archive load), in whole
// percent. The window moves its progress bar; headless callers may ignore it.
namespace kivo {

class ProgressObserver {
public:
    virtual ~ProgressObserver() = default;
    // Called with 0..100 whenever the value changes.
    virtual void OnProgress(int percent) = 0;
};

// Reports a percentage only when it differs from the last one reported, so
// that a loop may call it at every step.
class Progress {
public:
    explicit Progress(ProgressObserver* obs) : obs_(obs) {}
    void Inform(int percent) {
        if (obs_ && percent != last_) {
            last_ = percent;
            obs_->OnProgress(percent);
        }
    }

private:
    ProgressObserver* obs_;
    int last_ = -1;
};

}  // namespace kivo
