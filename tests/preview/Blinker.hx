import flash.Lib;
import flash.events.Event;

/**
	A movie that never comes to rest: it fills its stage with one of two
	colours in turn, a new one at every frame.
**/
class Blinker {
	static function main() {
		var frame = 0;
		Lib.current.addEventListener(Event.ENTER_FRAME, _ -> {
			var g = Lib.current.graphics;
			g.clear();
			g.beginFill(frame++ % 2 == 0 ? 0x2060A0 : 0xA06020);
			g.drawRect(0, 0, 400, 300);
			g.endFill();
		});
	}
}
