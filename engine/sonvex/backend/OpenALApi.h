#pragma once
// The OpenAL 1.1 entry points, resolved by name from the library loaded at run time.
// Private to the audio classes' sources: nothing outside engine/sonvex includes it.
#define AL_NO_PROTOTYPES
#define ALC_NO_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>

namespace hgl::openal
{
// Every AL and ALC 1.1 entry point: X(name, pointer type).
#define HGL_OPENAL_ENTRIES                                                                                   \
    X(alDopplerFactor, LPALDOPPLERFACTOR)                                                                    \
    X(alDopplerVelocity, LPALDOPPLERVELOCITY)                                                                \
    X(alSpeedOfSound, LPALSPEEDOFSOUND)                                                                      \
    X(alDistanceModel, LPALDISTANCEMODEL)                                                                    \
    X(alEnable, LPALENABLE)                                                                                  \
    X(alDisable, LPALDISABLE)                                                                                \
    X(alIsEnabled, LPALISENABLED)                                                                            \
    X(alGetString, LPALGETSTRING)                                                                            \
    X(alGetBooleanv, LPALGETBOOLEANV)                                                                        \
    X(alGetIntegerv, LPALGETINTEGERV)                                                                        \
    X(alGetFloatv, LPALGETFLOATV)                                                                            \
    X(alGetDoublev, LPALGETDOUBLEV)                                                                          \
    X(alGetBoolean, LPALGETBOOLEAN)                                                                          \
    X(alGetInteger, LPALGETINTEGER)                                                                          \
    X(alGetFloat, LPALGETFLOAT)                                                                              \
    X(alGetDouble, LPALGETDOUBLE)                                                                            \
    X(alGetError, LPALGETERROR)                                                                              \
    X(alIsExtensionPresent, LPALISEXTENSIONPRESENT)                                                          \
    X(alGetProcAddress, LPALGETPROCADDRESS)                                                                  \
    X(alGetEnumValue, LPALGETENUMVALUE)                                                                      \
    X(alListenerf, LPALLISTENERF)                                                                            \
    X(alListener3f, LPALLISTENER3F)                                                                          \
    X(alListenerfv, LPALLISTENERFV)                                                                          \
    X(alListeneri, LPALLISTENERI)                                                                            \
    X(alListener3i, LPALLISTENER3I)                                                                          \
    X(alListeneriv, LPALLISTENERIV)                                                                          \
    X(alGetListenerf, LPALGETLISTENERF)                                                                      \
    X(alGetListener3f, LPALGETLISTENER3F)                                                                    \
    X(alGetListenerfv, LPALGETLISTENERFV)                                                                    \
    X(alGetListeneri, LPALGETLISTENERI)                                                                      \
    X(alGetListener3i, LPALGETLISTENER3I)                                                                    \
    X(alGetListeneriv, LPALGETLISTENERIV)                                                                    \
    X(alGenSources, LPALGENSOURCES)                                                                          \
    X(alDeleteSources, LPALDELETESOURCES)                                                                    \
    X(alIsSource, LPALISSOURCE)                                                                              \
    X(alSourcef, LPALSOURCEF)                                                                                \
    X(alSource3f, LPALSOURCE3F)                                                                              \
    X(alSourcefv, LPALSOURCEFV)                                                                              \
    X(alSourcei, LPALSOURCEI)                                                                                \
    X(alSource3i, LPALSOURCE3I)                                                                              \
    X(alSourceiv, LPALSOURCEIV)                                                                              \
    X(alGetSourcef, LPALGETSOURCEF)                                                                          \
    X(alGetSource3f, LPALGETSOURCE3F)                                                                        \
    X(alGetSourcefv, LPALGETSOURCEFV)                                                                        \
    X(alGetSourcei, LPALGETSOURCEI)                                                                          \
    X(alGetSource3i, LPALGETSOURCE3I)                                                                        \
    X(alGetSourceiv, LPALGETSOURCEIV)                                                                        \
    X(alSourcePlayv, LPALSOURCEPLAYV)                                                                        \
    X(alSourceStopv, LPALSOURCESTOPV)                                                                        \
    X(alSourceRewindv, LPALSOURCEREWINDV)                                                                    \
    X(alSourcePausev, LPALSOURCEPAUSEV)                                                                      \
    X(alSourcePlay, LPALSOURCEPLAY)                                                                          \
    X(alSourceStop, LPALSOURCESTOP)                                                                          \
    X(alSourceRewind, LPALSOURCEREWIND)                                                                      \
    X(alSourcePause, LPALSOURCEPAUSE)                                                                        \
    X(alSourceQueueBuffers, LPALSOURCEQUEUEBUFFERS)                                                          \
    X(alSourceUnqueueBuffers, LPALSOURCEUNQUEUEBUFFERS)                                                      \
    X(alGenBuffers, LPALGENBUFFERS)                                                                          \
    X(alDeleteBuffers, LPALDELETEBUFFERS)                                                                    \
    X(alIsBuffer, LPALISBUFFER)                                                                              \
    X(alBufferData, LPALBUFFERDATA)                                                                          \
    X(alBufferf, LPALBUFFERF)                                                                                \
    X(alBuffer3f, LPALBUFFER3F)                                                                              \
    X(alBufferfv, LPALBUFFERFV)                                                                              \
    X(alBufferi, LPALBUFFERI)                                                                                \
    X(alBuffer3i, LPALBUFFER3I)                                                                              \
    X(alBufferiv, LPALBUFFERIV)                                                                              \
    X(alGetBufferf, LPALGETBUFFERF)                                                                          \
    X(alGetBuffer3f, LPALGETBUFFER3F)                                                                        \
    X(alGetBufferfv, LPALGETBUFFERFV)                                                                        \
    X(alGetBufferi, LPALGETBUFFERI)                                                                          \
    X(alGetBuffer3i, LPALGETBUFFER3I)                                                                        \
    X(alGetBufferiv, LPALGETBUFFERIV)                                                                        \
    X(alcCreateContext, LPALCCREATECONTEXT)                                                                  \
    X(alcMakeContextCurrent, LPALCMAKECONTEXTCURRENT)                                                        \
    X(alcProcessContext, LPALCPROCESSCONTEXT)                                                                \
    X(alcSuspendContext, LPALCSUSPENDCONTEXT)                                                                \
    X(alcDestroyContext, LPALCDESTROYCONTEXT)                                                                \
    X(alcGetCurrentContext, LPALCGETCURRENTCONTEXT)                                                          \
    X(alcGetContextsDevice, LPALCGETCONTEXTSDEVICE)                                                          \
    X(alcOpenDevice, LPALCOPENDEVICE)                                                                        \
    X(alcCloseDevice, LPALCCLOSEDEVICE)                                                                      \
    X(alcGetError, LPALCGETERROR)                                                                            \
    X(alcIsExtensionPresent, LPALCISEXTENSIONPRESENT)                                                        \
    X(alcGetProcAddress, LPALCGETPROCADDRESS)                                                                \
    X(alcGetEnumValue, LPALCGETENUMVALUE)                                                                    \
    X(alcGetString, LPALCGETSTRING)                                                                          \
    X(alcGetIntegerv, LPALCGETINTEGERV)                                                                      \
    X(alcCaptureOpenDevice, LPALCCAPTUREOPENDEVICE)                                                          \
    X(alcCaptureCloseDevice, LPALCCAPTURECLOSEDEVICE)                                                        \
    X(alcCaptureStart, LPALCCAPTURESTART)                                                                    \
    X(alcCaptureStop, LPALCCAPTURESTOP)                                                                      \
    X(alcCaptureSamples, LPALCCAPTURESAMPLES)

struct Api
{
#define X(name, type) type name = nullptr;
    HGL_OPENAL_ENTRIES
#undef X
};

// The resolved table while OpenAL is open, else null: callers do nothing then. The
// table stays valid until CloseOpenAL, which the application calls after every
// buffer, source and player is gone.
const Api *Get();
} // namespace hgl::openal
