// The runtime functions as data: each with the condition under which it is
// emitted, in the order of emission.
#include "build/Runtime.h"

#include "build/Markup.h"

namespace zolt {

namespace {

enum class When { Always, Tabs, Calendars };

struct RuntimeFunction {
    When when;
    const char* text;  // lines ended by "\n"; the closing "}" is the last line
};

const RuntimeFunction kFunctions[] = {
{When::Always, R"JS(function CloseForm(pObj,pOptionalFuncToCall){
	document.getElementById(pObj).style.display="none";
	if(pOptionalFuncToCall!=""&&pOptionalFuncToCall!=undefined){
		eval(pOptionalFuncToCall);
	}
}
)JS"},
{When::Always, R"JS(function ShowForm(psID,piLeft,piTop,pbUseformsLastPosition,pLoadFunc){
	var oForm=document.getElementById(psID);
	if(oForm.style.display!="inline"){
		BringToFront(psID);
		if(sBrowserType.indexOf("Microsoft")!=0&&oForm.getAttribute("NetScapeFix")==null){
			var iBorder=parseInt(oForm.childNodes[2].style.borderWidth,10);
			if(isNaN(iBorder)){iBorder=0;}
			oForm.childNodes[0].style.width=(parseInt(oForm.style.width,10)+(iBorder*2))+"px";
			if(oForm.childNodes[1].style){
				oForm.childNodes[1].style.left=(parseInt(oForm.childNodes[1].style.left,10)+(iBorder*2))+"px";
			}
			oForm.setAttribute("NetScapeFix","true");
		}
		if(pbUseformsLastPosition==false){
			oForm.style.left=parseInt(piLeft,10)+"px";
			oForm.style.top=parseInt(piTop,10)+"px";
		}
		oForm.style.display="inline";
	}else if(parseInt(oForm.style.zIndex,10)<zIndexCounter){
		BringToFront(psID);
	}
	if(pLoadFunc!=""&&pLoadFunc!=undefined){
		eval(pLoadFunc);
	}
}
)JS"},
{When::Tabs, R"JS(function TabClicked(pObj,pE,pObjParent){
	pE.cancelBubble=true;
	var oSrc=(sBrowserType.indexOf("Microsoft")==0)?pE.srcElement:pE.target;
	while(oSrc&&oSrc.tagName!="TD"&&oSrc!=pObj){oSrc=oSrc.parentElement;}
	if(!oSrc||oSrc==pObj){return;}
	var iPrevious=parseInt(pObj.getAttribute("PreviousTab"),10);
	if(oSrc.cellIndex==iPrevious){return;}
	TabGUI(pObj,oSrc.cellIndex,pObjParent);
	ShowTabContents(pObj,oSrc.cellIndex,pObjParent,iPrevious);
}
)JS"},
{When::Tabs, R"JS(function TabGUI(pObj,pValue,pObjParent){
	var oContent=document.getElementById("TABContent_"+pObjParent);
	var oCell=pObj.rows[0].cells[pValue];
	oContent.style.backgroundColor=(oCell.style.backgroundColor!="")?oCell.style.backgroundColor:"#D5CCBB";
	var oOld=pObj.rows[0].cells[parseInt(pObj.getAttribute("PreviousTab"),10)];
	oOld.style.borderBottomColor=oContent.style.borderColor;
	oOld.style.borderStyle="solid";
	oOld.style.borderWidth="2px";
	oCell.style.borderBottomColor=oContent.style.backgroundColor;
	oCell.style.borderRightStyle="outset";
	oCell.style.borderRightWidth="3px";
	oCell.style.borderTopStyle="outset";
	oCell.style.borderTopWidth="3px";
	pObj.setAttribute("PreviousTab",pValue);
}
)JS"},
{When::Tabs, R"JS(// The page being left keeps its elements, with whatever the user typed or
// chose, and shows them again when its tab is chosen; a page never shown
// yet is made from the markup its tab carries.
var GTabPages={};
function ShowTabContents(pObj,pValue,pObjParent,pOldPreviousTab){
	var oContent=document.getElementById("TABContent_"+pObjParent);
	var oPages=GTabPages[pObjParent];
	if(!oPages){oPages=GTabPages[pObjParent]={};}
	var oLeft=document.createDocumentFragment();
	while(oContent.firstChild){oLeft.appendChild(oContent.firstChild);}
	oPages[parseInt(pOldPreviousTab,10)]=oLeft;
	if(oPages[pValue]){
		oContent.appendChild(oPages[pValue]);
		delete oPages[pValue];
	}else{
		oContent.innerHTML=String(pObj.rows[0].cells[pValue].getAttribute("Contents")||"").replace(/~/g,'"');
	}
}
)JS"},
{When::Calendars, R"JS(function BuildCalendar(pObjID){
	var oCal=document.getElementById(pObjID);
	var oMonth=document.getElementById("CalMonth_"+pObjID);
	var oYear=document.getElementById("CalYear_"+pObjID);
	var m=parseInt(oMonth.options[oMonth.selectedIndex].value,10);
	var y=parseInt(oYear.options[oYear.selectedIndex].value,10);
	var oFirst=new Date(2000,0,1);
	oFirst.setFullYear(y,m-1,1);
	var s=oFirst.getDay()+1;
	var arrDays=["Sunday","Monday","Tuesday","Wednesday","Thursday","Friday","Saturday"];
	var iDays=(m==2)?(((y%4==0&&y%100!=0)||y%400==0)?29:28):((m==4||m==6||m==9||m==11)?30:31);
	// The fixed rows end with the weekday letters, two rows below the lists.
	var iFixed=oMonth.parentElement.parentElement.rowIndex+3;
	while(oCal.rows.length>iFixed){oCal.deleteRow(iFixed);}
	var d=1;
	for(var r=1;r<=6&&d<=iDays;r++){
		var oRow=oCal.insertRow(iFixed+r-1);
		for(var c=1;c<=7;c++){
			var oCell=oRow.insertCell(c-1);
			oCell.align="center";
			oCell.title=arrDays[c-1];
			if(c>=s||r>1){oCell.innerHTML=d;d++;}else{oCell.innerHTML="&nbsp;";}
			if(d>iDays){break;}
		}
	}
}
)JS"},
{When::Calendars, R"JS(function HighlightCalDay(pE){
	var oSrc=(sBrowserType.indexOf("Microsoft")==0)?pE.srcElement:pE.target;
	if(oSrc&&oSrc.tagName=="TD"&&oSrc.innerHTML.length<=2){
		oSrc.style.fontWeight=(oSrc.style.fontWeight=="bold")?"normal":"bold";
	}
}
)JS"},
{When::Calendars, R"JS(function SetCalDate(pCalID,pDate){
	var oCell=document.getElementById("DisplayDate_"+pCalID);
	if(!oCell){return;}
	var oDate=(pDate=="")?new Date():new Date(pDate);
	var arrFull=["January","February","March","April","May","June","July","August","September","October","November","December"];
	var arrAbr=["Jan","Feb","Mar","Apr","May","Jun","Jul","Aug","Sep","Oct","Nov","Dec"];
	var s=String(oCell.getAttribute("FormatStyle")||"");
	s=s.split("fulmm").join(arrFull[oDate.getMonth()]);
	s=s.split("abrmm").join(arrAbr[oDate.getMonth()]);
	s=s.split("mm").join(String(oDate.getMonth()+1));
	s=s.split("dd").join(String(oDate.getDate()));
	s=s.split("yyyy").join(String(oDate.getFullYear()));
	oCell.innerHTML=s;
}
)JS"},
{When::Calendars, R"JS(function Cal_Clicked(pCallD,pE,pDevelopersFunction){
	var oSrc=(sBrowserType.indexOf("Microsoft")==0)?pE.srcElement:pE.target;
	if(oSrc&&oSrc.tagName=="TD"&&oSrc.innerHTML.length<=2&&parseInt(oSrc.innerHTML,10)>0){
		if(pDevelopersFunction!=""&&pDevelopersFunction!=undefined){
			eval(pDevelopersFunction);
		}
	}
}
)JS"},
{When::Always, R"JS(function CenterForm(pForm){
	var oForm=document.getElementById(pForm);
	var iWidth,iHeight;
	if(sBrowserType.indexOf("Microsoft")>=0){
		iWidth=document.body.offsetWidth;
		iHeight=document.body.offsetHeight;
	}else{
		iWidth=window.innerWidth;
		iHeight=window.innerHeight;
	}
	oForm.style.left=((iWidth-parseInt(oForm.style.width,10))/2)+"px";
	oForm.style.top=((iHeight-parseInt(oForm.style.height,10))/2)+"px";
	oForm.style.visibility="visible";
}
)JS"},
{When::Always, R"JS(function SendData(psUrl,psData,psFunc){
	// psUrl: the server page; psData: the parameters sent to it;
	// psFunc: the function the answer page calls with the returned data.
	var sUrl=psUrl;
	if(psData!=""&&psData!=undefined){
		sUrl=psUrl+psData+((psFunc!=undefined)?psFunc:"");
	}else if(psFunc!=""&&psFunc!=undefined){
		sUrl=psUrl+psFunc;
	}
	document.getElementById("iFraData").src=sUrl;
}
)JS"},
{When::Always, R"JS(function BringToFront(pObj){
	if(GSelectedForm!=pObj){
		zIndexCounter=zIndexCounter+1;
		GSelectedForm=pObj;
		document.getElementById(pObj).style.zIndex=zIndexCounter;
	}
}
)JS"},
{When::Always, R"JS(function GetCookie(cookieName){
	if(cookieName==""||cookieName==undefined){return "";}
	var arrCookies=document.cookie.split(";");
	for(var i=0;i<arrCookies.length;i++){
		var sCookie=arrCookies[i].replace(/^\s+/,"");
		var iEquals=sCookie.indexOf("=");
		var sName=(iEquals<0)?sCookie:sCookie.substring(0,iEquals);
		if(sName==cookieName){
			return (iEquals<0)?"":unescape(sCookie.substring(iEquals+1));
		}
	}
	return "";
}
)JS"},
{When::Always, R"JS(function SetCookie(cookieName,cookieValue,nDays){
	var oToday=new Date();
	var oExpire=new Date();
	if(nDays==null||nDays==0){nDays=1;}
	oExpire.setTime(oToday.getTime()+3600000*24*nDays);
	document.cookie=cookieName+"="+escape(cookieValue)+";expires="+oExpire.toGMTString();
}
)JS"},
};

bool emitted(When when, const RuntimeOptions& o) {
    switch (when) {
    case When::Always: return true;
    case When::Tabs: return o.withTabs;
    case When::Calendars: return o.withCalendars;
    }
    return false;
}

}  // namespace

std::string RuntimeScript(const RuntimeOptions& o) {
    std::string text =
        "var GCntrlObj;\n"
        "var GbValCon;\n"
        "var GsFunc;\n"
        "var zIndexCounter=" + (o.zIndexCounter.empty() ? std::string("0") : o.zIndexCounter) + ";\n"
        "var sBrowserType=navigator.appName;\n"
        "var GSelectedForm=\"" + replaceAll(o.startForm, "\"", "\\\"") + "\";\n"
        "\n";
    for (const RuntimeFunction& f : kFunctions) {
        if (emitted(f.when, o)) text += std::string(f.text) + "\n";
    }
    return replaceAll(std::move(text), "\n", "\r\n");
}

}  // namespace zolt
