#include "bench/FullDefinition.h"

#include <random>

void FillFullDefinition(TKeypadClass& keypad) {
    keypad.Initialize();
    std::mt19937 random(24);
    for (std::uint8_t key = 0; key < KeyCount; ++key) {
        keypad.SetKey(key);
        for (std::uint8_t level = 0; level < LevelCount; ++level) {
            keypad.SetLevel(level);
            std::int32_t position = 0;
            // Alternating patterns of 94 one-byte characters, a delay (3 bytes) and an LED command (2).
            for (int i = 0; i < 94; ++i)
                keypad.InsertByte(position, 33 + static_cast<std::int32_t>(random() % 90));
            keypad.InsertByte(position, CodeValue::DelayBit + 50);
            keypad.InsertByte(position, CodeValue::LedOn);
            keypad.InsertByte(position, 'x');
            keypad.SetMacroName(std::string(25, static_cast<char>('A' + key % 26)));
            keypad.SetCanAutoRepeat(level == 1);
        }
    }
    keypad.SetKey(0);
    keypad.SetLevel(0);
}

BenchFolder::BenchFolder() {
    fPath = std::filesystem::temp_directory_path() /
            ("keywright24-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(fPath);
}

BenchFolder::~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(fPath, ignored);
}
