// A fresh folder for one test, named after the test and the process, removed
// with the fixture that owns it; and a file's bytes, read whole.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace orv::test {

class DossierEssai : public std::filesystem::path {
public:
    explicit DossierEssai(const std::string& prefixe)
        : path(std::filesystem::temp_directory_path() /
               ("orvelle_" + prefixe + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                std::to_string(::getpid()))) {
        std::filesystem::remove_all(*this);
        std::filesystem::create_directories(*this);
    }
    ~DossierEssai() {
        std::error_code e;
        std::filesystem::remove_all(*this, e);
    }
    DossierEssai(const DossierEssai&) = delete;
    DossierEssai& operator=(const DossierEssai&) = delete;
};

inline std::string Lit(const std::filesystem::path& f) {
    std::ifstream in(f, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace orv::test
