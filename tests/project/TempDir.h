#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

namespace kivo {

class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            path_ = base / ("kivo-project-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
            if (std::filesystem::create_directory(path_)) break;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace kivo
