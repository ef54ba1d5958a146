#pragma once

/** The parameter IDs. The table in ParameterInfo.cpp gives each one its type, range and setter;
    code elsewhere names a parameter only through these constants. Free of dependencies so that
    the engine can use them too. */
namespace ParameterIds
{
inline constexpr const char* in = "IN";
inline constexpr const char* out = "OUT";
inline constexpr const char* channelAGain = "CH_A_GAIN";
inline constexpr const char* channelBGain = "CH_B_GAIN";
inline constexpr const char* channelCGain = "CH_C_GAIN";
inline constexpr const char* reverbAmount = "DRY_REV_SEND";
inline constexpr const char* reverbDrive = "REV_CHARACTER";
inline constexpr const char* decay = "DECAY";
inline constexpr const char* width = "WIDTH";
inline constexpr const char* tone = "TONE";
inline constexpr const char* mix = "MIX";
inline constexpr const char* ampMaster = "AMP_MASTER";
inline constexpr const char* ampDrive = "AMP_DRIVE";
inline constexpr const char* rate = "RATE";
inline constexpr const char* depth = "DEPTH";
inline constexpr const char* bass = "BASS";
inline constexpr const char* mid = "MID";
inline constexpr const char* treble = "TREBLE";
inline constexpr const char* tank = "TANK";
inline constexpr const char* syncRate = "SYNC_RATE";
inline constexpr const char* preDelay = "PREDEL";
inline constexpr const char* oversampling = "OSMenu";
inline constexpr const char* channelA = "CHANNEL_A";
inline constexpr const char* channelB = "CHANNEL_B";
inline constexpr const char* channelC = "CHANNEL_C";
inline constexpr const char* amp = "AMP";
inline constexpr const char* cabinet = "CAB";
inline constexpr const char* sync = "SYNC";
inline constexpr const char* tremolo = "CHORUS";
} // namespace ParameterIds
