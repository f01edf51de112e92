// Registry calls per second on a database in a temporary folder: reads
// (a whole GetRegistrySetting-style open, size query, read, close), writes
// (each one its own committed transaction) and key creation.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// A fresh database for the run, removed afterwards.
class BenchRegistry {
 public:
  BenchRegistry() {
    dir_ = std::filesystem::temp_directory_path() / ("registry-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
    setenv("WINAPI_REGISTRY", (dir_ / "registry.db").c_str(), 1);
  }
  ~BenchRegistry() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

 private:
  std::filesystem::path dir_;
};

BenchRegistry& bench_registry() {
  static BenchRegistry registry;
  return registry;
}

void write_value(const char* path, const char* name, const std::string& text) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    std::abort();
  }
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
}

void BM_ReadStringValue(benchmark::State& state) {
  bench_registry();
  write_value("Software\\Bench", "Path", "C:\\Program Files\\Autodesk\\scripts");
  char buffer[256];
  for (auto _ : state) {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Bench", 0, KEY_QUERY_VALUE, &key);
    DWORD type = 0, size = 0;
    RegQueryValueExA(key, "Path", nullptr, &type, nullptr, &size);
    size = sizeof buffer;
    RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    benchmark::DoNotOptimize(buffer);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadStringValue);

void BM_QueryOpenKey(benchmark::State& state) {
  bench_registry();
  write_value("Software\\Bench", "Path", "value");
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Bench", 0, KEY_QUERY_VALUE, &key);
  char buffer[64];
  for (auto _ : state) {
    DWORD type = 0, size = sizeof buffer;
    RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    benchmark::DoNotOptimize(buffer);
  }
  RegCloseKey(key);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QueryOpenKey);

void BM_WriteStringValue(benchmark::State& state) {
  bench_registry();
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\BenchWrite", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  const std::string text = "a value of moderate length";
  unsigned i = 0;
  for (auto _ : state) {
    std::string name = "v" + std::to_string(i++ % 1000);
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
  }
  RegCloseKey(key);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteStringValue);

void BM_CreateExistingKey(benchmark::State& state) {
  bench_registry();
  write_value("Software\\Deep\\Nested\\Key", "x", "y");
  for (auto _ : state) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Deep\\Nested\\Key", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    RegCloseKey(key);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CreateExistingKey);

}  // namespace

BENCHMARK_MAIN();
