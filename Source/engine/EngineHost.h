#pragma once

/** What the engine needs from the object that owns it: the current plain value of a parameter.
    Keeps the engine free of the plug-in and GUI modules so that it builds and runs headless. */
class EngineHost
{
public:
    virtual ~EngineHost() = default;

    /** Current plain value of the parameter with this ID. Any thread; lock-free and allocation-free. */
    virtual float getParameterValue (const char* parameterId) const = 0;
};
