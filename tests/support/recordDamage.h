#pragma once

#include <QByteArray>

#include <random>

// A good record file damaged at random, one of three ways: bits flipped
// anywhere, the tail cut off, or bits flipped inside its unpacked contents and
// the whole packed again with its length and checksum made right, so that the
// reader's later checks meet the damage too.
QByteArray DamagedRecord(const QByteArray& good, std::mt19937& random);
