// Position of a control valve, from closed (0 %) to fully open (100 %), with labels. The
// README also shows it at three lengths, where the labels are thinned to stay apart.
// Pictures: docs/images/valve-position.png, docs/images/valve-position-lengths.png.
// size: 300x60
// sizes: 120x60 200x60 300x60
axisShowLabels = true

clearRules()
addRule(0, "{200,225,255}")
addRule(100, "{0,70,200}")

convert(50)    // half open
